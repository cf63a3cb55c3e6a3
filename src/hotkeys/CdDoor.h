#pragma once
// The CD drive door through the MCI cdaudio device.
#include <windows.h>

namespace qb {

// Sends "set cdaudio door open" (open) or "set cdaudio door closed" with `window` as the
// notification window; a command that fails (no CD drive, the drive busy) shows "ERROR です！".
void SetCdDoor(HWND window, bool open);

// The CD hotkey: inverts CdDoorOpen (CdDoorCommand.h), then SetCdDoor with the new value.
void ToggleCdDoor(HWND window);

}  // namespace qb
