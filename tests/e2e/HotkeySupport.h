#pragma once
// Pressing the program's global hotkeys from a test, and finding out which combinations it holds.
#include <windows.h>

#include <string>
#include <vector>

#include "harness/Harness.h"

namespace qb::e2e {

struct Combination {
  UINT modifiers;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT
  UINT key;
};

// True while some program holds the combination as a global hotkey: registering it here fails with
// ERROR_HOTKEY_ALREADY_REGISTERED (1409). A combination that is free is released again at once.
inline bool CombinationTaken(Combination c) {
  if (RegisterHotKey(nullptr, 0x7F00, c.modifiers, c.key)) {
    UnregisterHotKey(nullptr, 0x7F00);
    return false;
  }
  return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

// A real key press of the combination through the system's input (SendInput), as the user makes
// it: the modifiers go down, the key goes down and up, the modifiers go up. Wine delivers the
// hotkey while a window of its own has the focus, so a window of the test is put in front first.
inline bool PressCombination(Combination c) {
  std::vector<WORD> keys;
  if (c.modifiers & MOD_CONTROL) keys.push_back(VK_CONTROL);
  if (c.modifiers & MOD_ALT) keys.push_back(VK_MENU);
  if (c.modifiers & MOD_SHIFT) keys.push_back(VK_SHIFT);
  keys.push_back(static_cast<WORD>(c.key));
  std::vector<INPUT> inputs;
  for (WORD k : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(k, MAPVK_VK_TO_VSC));
    inputs.push_back(in);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *it;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(*it, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// WM_HOTKEY as Windows posts it: the hotkey's id (the global atom of its name) in wParam, the
// modifiers and the key in lParam. For actions whose effect a real key press would disturb.
inline bool PostHotkey(HWND main, const wchar_t* atomName, Combination c) {
  const ATOM id = GlobalFindAtomW(atomName);
  if (id == 0) return false;
  return Post(main, WM_HOTKEY, id, MAKELPARAM(c.modifiers, c.key));
}

// The atom names of the twenty-two hotkeys, in registration order.
inline const std::vector<std::wstring>& HotkeyAtomNames() {
  static const std::vector<std::wstring> names = {
      L"HOTKEY11", L"HOTKEY12", L"HOTKEY13", L"HOTKEY21", L"HOTKEY22", L"HOTKEY23", L"HOTKEY95", L"HOTKEY96",
      L"HOTKEY97", L"HOTKEY84", L"HOTKEY85", L"HOTKEY86", L"HOTKEY06", L"HOTKEY98", L"HOTKEY99", L"HOTKEY00",
      L"HOTKEY03", L"HOTKEY01", L"HOTKEY02", L"HOTKEY04", L"HOTKEY05", L"HOTKEY83"};
  return names;
}

}  // namespace qb::e2e
