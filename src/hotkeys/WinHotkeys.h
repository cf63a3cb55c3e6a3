#pragma once
// Registration of the twenty-two hotkeys on the hidden main window. The tables they use are in
// HotkeyTable.h (TheHotkeys()).
#include <windows.h>

#include <vector>

#include "hotkeys/HotkeyTable.h"

namespace qb {

// Loads the tables from the settings (writing back defaults), creates the atoms "HOTKEY.." and
// registers every hotkey on `window` in table order. A combination another program (or an earlier
// row) already holds leaves that hotkey dead; the failure is logged and the rest go on. Called
// again while registered, it first unregisters, so nothing is registered or counted twice.
void RegisterHotkeys(HWND window);

// Unregisters all hotkeys from the window they were registered on and deletes their atoms.
void UnregisterHotkeys();

// The hotkeys of the last RegisterHotkeys that are dead because the system refused their
// combination (another program holds it), in table order. Rows without a key are not counted.
std::vector<Hotkey> HotkeysNotRegistered();

// The window the hotkeys were last registered on (for the settings dialog's re-registration).
HWND HotkeyWindow();

// For actions that type keys of their own: one hotkey taken away and put back, with the
// combination the tables give it at that moment. Failures are logged; a hotkey that cannot be put
// back stays dead until the next RegisterHotkeys.
bool UnregisterOneHotkey(Hotkey hotkey);
bool RegisterOneHotkey(Hotkey hotkey, HotkeyCombination combination);

// Unregisters one hotkey for the guard's lifetime.
class HotkeyPause {
public:
  explicit HotkeyPause(Hotkey hotkey) : hotkey_(hotkey) { UnregisterOneHotkey(hotkey_); }
  ~HotkeyPause() { RegisterOneHotkey(hotkey_, CombinationOf(TheHotkeys(), hotkey_)); }
  HotkeyPause(const HotkeyPause&) = delete;
  HotkeyPause& operator=(const HotkeyPause&) = delete;

private:
  Hotkey hotkey_;
};

}  // namespace qb
