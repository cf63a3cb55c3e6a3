#pragma once
// The window the last window-related action aimed at: the foreground window taken by the popup
// menu, the topmost toggle, the window capture and the wheel window (whose scroll bar the wheel
// turns). Module-level state of the window thread; nothing locks it.
#include <windows.h>

namespace qb {

inline HWND TargetWindow = nullptr;

}  // namespace qb
