#include "hotkeys/ScreenCaptureRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qb {

namespace {

int TwoDigits(int value) {
  const int r = value % 100;
  return r < 0 ? r + 100 : r;
}

// Rounds to the nearest whole dot; sizes here are far below the range of int.
int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

std::string CaptureFileName(const LocalDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d.BMP", TwoDigits(t.year), TwoDigits(t.month),
                TwoDigits(t.day), TwoDigits(t.hour), TwoDigits(t.minute), TwoDigits(t.second));
  return text;
}

std::optional<PixelRect> CaptureArea(const PixelRect& screen, const std::optional<PixelRect>& targetWindow) {
  PixelRect area = screen;
  if (targetWindow) {
    area.left = std::max(screen.left, targetWindow->left);
    area.top = std::max(screen.top, targetWindow->top);
    area.right = std::min(screen.right, targetWindow->right);
    area.bottom = std::min(screen.bottom, targetWindow->bottom);
  }
  if (area.right <= area.left || area.bottom <= area.top) return std::nullopt;
  return area;
}

bool CapturePrints(std::string_view prnSetting) { return prnSetting == "True"; }

std::optional<std::string_view> CaptureMessage(CaptureOutcome outcome) {
  switch (outcome) {
    case CaptureOutcome::NoPicture:
    case CaptureOutcome::NotSaved:
      return kCaptureFailedMessage;
    case CaptureOutcome::Saved:
    case CaptureOutcome::Printed:
    case CaptureOutcome::NotPrinted:
      break;
  }
  return std::nullopt;
}

std::optional<PixelRect> PrintPlacement(const PictureOnScreen& picture, const PrintablePage& page) {
  if (picture.width <= 0 || picture.height <= 0 || picture.dpiX <= 0 || picture.dpiY <= 0) return std::nullopt;
  if (page.widthDots <= 0 || page.heightDots <= 0 || page.dpiX <= 0 || page.dpiY <= 0) return std::nullopt;
  const int left = Round(kPrintLeftMillimetres / 25.4 * page.dpiX);
  const double roomX = page.widthDots - left;
  const double roomY = page.heightDots;
  if (roomX < 1) return std::nullopt;
  const double naturalX = static_cast<double>(picture.width) * page.dpiX / picture.dpiX;
  const double naturalY = static_cast<double>(picture.height) * page.dpiY / picture.dpiY;
  const double scale = std::min({1.0, roomX / naturalX, roomY / naturalY});
  // A shrunk side never grows past the room by rounding; a side never vanishes.
  const int width = std::clamp(Round(naturalX * scale), 1, static_cast<int>(roomX));
  const int height = std::clamp(Round(naturalY * scale), 1, page.heightDots);
  return PixelRect{left, 0, left + width, height};
}

}  // namespace qb
