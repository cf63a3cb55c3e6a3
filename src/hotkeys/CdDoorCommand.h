#pragma once
// The CD drive door without the window system: the MCI command that opens or closes it, the
// message when the command fails, and the door flag the hotkey turns over. CdDoor.h sends it.
#include <string_view>

namespace qb {

inline constexpr std::string_view kCdDoorOpenCommand = "set cdaudio door open";
inline constexpr std::string_view kCdDoorClosedCommand = "set cdaudio door closed";
inline constexpr std::string_view kCdDoorErrorMessage = "ERROR です！";

constexpr std::string_view CdDoorCommand(bool open) { return open ? kCdDoorOpenCommand : kCdDoorClosedCommand; }

// The last door command sent was "open". The hotkey inverts it before each command, whatever the
// drive's real state, so presses alternate open, closed, open... and a failed command keeps the
// inverted value. Window thread only.
inline bool CdDoorOpen = false;

}  // namespace qb
