#pragma once
// Tools that act on a window given by handle: its opacity, and finding its child windows. The
// hotkey actions, the calendar and the memos share them.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace qb {

// Makes `window` a layered window of that opacity (255 = opaque), keeping its other extended
// styles. Does nothing on systems older than Windows 2000, which have no layered windows.
// Failures are tolerated (logged).
void SetWindowAlpha(HWND window, uint8_t alpha);

// FindWindowExW with the same values; an empty class or window name is passed as "any". Answers
// the child found or null.
HWND FindChildWindow(HWND parent, HWND childAfter, std::string_view className, std::string_view windowName);

}  // namespace qb
