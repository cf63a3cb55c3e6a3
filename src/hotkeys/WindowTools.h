#pragma once
// The window tools of the hotkeys, acting on the foreground window: its roll-up to the title bar,
// its opacity in steps, topmost or not. Every step tolerates its own failure (logged): a window
// that refuses a region or a style simply stays as it was.
#include <windows.h>

#include <cstdint>

namespace qb {

// Rolls the foreground window up to its title bar (a region 23 pixels high, 30 in XP title mode, at
// 96 dots per inch and as much taller as the window's DPI makes its title bar, as wide as the
// window's right edge in screen coordinates, all in the window's own coordinates) or, when the last toggle rolled a
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
