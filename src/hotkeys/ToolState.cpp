#include "hotkeys/ToolState.h"

#include <algorithm>

#include "common/DpiScale.h"

namespace qb {

WindowToolFlags& TheWindowTools() {
  static WindowToolFlags flags;
  return flags;
}

uint8_t AlphaLevelUp(uint8_t level) {
  if (level >= 255) return level;
  return static_cast<uint8_t>(std::min(level + kAlphaStep, 255));
}

uint8_t AlphaLevelDown(uint8_t level) {
  if (level == 0) return level;
  return static_cast<uint8_t>(std::max(level - kAlphaStep, 0));
}

std::optional<PixelRect> NextShadeRegion(bool& shadeActive, int windowRight, bool xpTitleMode, int windowDpi) {
  if (shadeActive) {
    shadeActive = false;
    return std::nullopt;
  }
  shadeActive = true;
  return PixelRect{0, 0, windowRight, ScaleForDpi(xpTitleMode ? kXpTitleBarHeight : kTitleBarHeight, windowDpi)};
}

bool NextTopmost(bool& topmostActive) {
  topmostActive = !topmostActive;
  return topmostActive;
}

int WheelClickY(int barHeight, uint64_t wheelWParam) {
  const auto signedParam = static_cast<int32_t>(static_cast<uint32_t>(wheelWParam));
  return signedParam <= 0 ? barHeight - kArrowClickInset : kArrowClickInset;
}

int32_t PackClickPoint(int x, int y) {
  const uint32_t packed = (static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFFu);
  return static_cast<int32_t>(packed);
}

int WheelWindowClientPixels(int dpi) {
  const int64_t dots = dpi > 0 ? dpi : 96;
  // Rounded to the nearest pixel, as the window system converts twips.
  return static_cast<int>((kWheelWindowTwips * dots + 720) / 1440);
}

PixelPoint WheelWindowPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {screenWidth - windowWidth, screenHeight - 2 * windowHeight};
}

}  // namespace qb
