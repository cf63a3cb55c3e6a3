#pragma once
// The window tools without the window system: their program-wide flags and the arithmetic of each
// step (opacity levels, the roll-up region, the wheel window's clicks and place). The Windows side
// (WindowTools.cpp, WheelWindow.cpp) applies what these answer to real windows.
#include <cstdint>
#include <optional>

#include "common/Geometry.h"

namespace qb {

// One value each for the whole program, not per window: a toggle on one window followed by the
// same hotkey on another performs the opposite step on the second one.
struct WindowToolFlags {
  bool ShadeActive = false;       // the last roll-up toggle applied the title-bar region
  bool TopmostActive = false;     // the last topmost toggle made a window topmost
  bool WheelWindowShown = false;  // the wheel window is shown
  uint8_t AlphaLevel = 255;       // opacity step of the translucency hotkeys
  bool XpTitleMode = false;       // roll up to the taller title bar of XP-style themes
};

// The one instance of the process (window thread only).
WindowToolFlags& TheWindowTools();

// Opacity steps of the translucency hotkeys. Levels start at 255 and move by 15, so they stay
// multiples of 15 and meet both ends exactly; any other level is still kept within 0..255.
inline constexpr uint8_t kAlphaStep = 15;
[[nodiscard]] uint8_t AlphaLevelUp(uint8_t level);
[[nodiscard]] uint8_t AlphaLevelDown(uint8_t level);

// Height of the title bar a rolled-up window keeps: 23 pixels, 30 for the taller XP captions, at
// 96 dots per inch; a window that stands at another DPI has its title bar that much taller.
inline constexpr int kTitleBarHeight = 23;
inline constexpr int kXpTitleBarHeight = 30;

// The roll-up toggle. Flips `shadeActive` and answers the region the foreground window gets:
// (0, 0)-(windowRight, title bar height at windowDpi) when rolling up, where windowRight is the
// right edge of the window in screen coordinates (wider than the window when it does not start at
// x = 0, which keeps the whole title bar); both in the window's own coordinates, at the DPI it
// stands at. nullopt when rolling back, which means "no region at all" so that a window of any
// size gets its whole shape back.
[[nodiscard]] std::optional<PixelRect> NextShadeRegion(bool& shadeActive, int windowRight, bool xpTitleMode,
                                                       int windowDpi);

// The topmost toggle. Flips `topmostActive` and answers whether the window becomes topmost (true)
// or goes back behind the topmost windows (false).
[[nodiscard]] bool NextTopmost(bool& topmostActive);

// The wheel window forwards one wheel notch as four clicks on an arrow of the target's vertical
// scroll bar, 10 pixels from the bar's end.
inline constexpr int kWheelClicksPerNotch = 4;
inline constexpr int kArrowClickInset = 10;

// The y of the clicks in the bar's client coordinates: the lower arrow (barHeight - 10) when the
// wheel turned towards the user, i.e. when wParam read as a signed 32-bit number is 0 or less (the
// delta is its high word); the upper arrow (10) otherwise.
[[nodiscard]] int WheelClickY(int barHeight, uint64_t wheelWParam);

// A mouse message's point as lParam: y * 65536 + x, in 32 bits (negative coordinates wrap the way
// the window system packs them).
[[nodiscard]] int32_t PackClickPoint(int x, int y);

// The wheel window's inner area: 390 x 390 twips, in pixels for a screen of that many dots per
// inch (26 at 96;
// 96 is assumed when dpi is not positive).
inline constexpr int kWheelWindowTwips = 390;
[[nodiscard]] int WheelWindowClientPixels(int dpi);

// Where the wheel window goes when it loads: its right edge on the screen's right edge, its top at
// the screen height minus twice its own height.
[[nodiscard]] PixelPoint WheelWindowPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace qb
