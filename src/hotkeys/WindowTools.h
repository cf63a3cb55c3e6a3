#pragma once
// Tools that act on a window: its opacity, its roll-up to the title bar, topmost or not, and
// finding its child windows. The hotkey actions call the foreground-window entries; the calendar
// and the memos use SetWindowAlpha on their own windows. Every step tolerates its own failure
// (logged): a window that refuses a region or a style simply stays as it was.
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

// PostMessageW with the same values; true when the message was posted.
bool PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Rolls the foreground window up to its title bar (a region 23 pixels high, 30 in XP title mode,
// as wide as the window's right edge in screen coordinates) or, when the last toggle rolled a
// window up, removes the region of the foreground window. The flag is program-wide: see
// WindowToolFlags.
void ToggleWindowShade();

// SetWindowAlpha on the foreground window.
void SetForegroundAlpha(uint8_t alpha);
// Makes the foreground window opaque and no longer layered; its other extended styles stay.
// Does nothing on systems older than Windows 2000.
void ResetForegroundAlpha();
// The opacity hotkeys: AlphaLevel one step of 15 up (down), then SetForegroundAlpha with it. The
// level changes even where the system has no layered windows.
void RaiseForegroundAlpha();
void LowerForegroundAlpha();

// The topmost toggle: TargetWindow becomes the foreground window, which is then made topmost or,
// when the last toggle made a window topmost, put back behind the topmost windows. Position and
// size stay.
void ToggleTopmost();

}  // namespace qb
