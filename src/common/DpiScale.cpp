#include "common/DpiScale.h"

#include <algorithm>
#include <cmath>

#include "common/Numbers.h"

namespace qb {

namespace {

// Beyond this, a DPI is no screen's answer (Windows offers up to 500 %, 480 dots per inch).
constexpr int kLargestDpi = 4800;

}  // namespace

int UsableDpi(int dpi) { return dpi > 0 && dpi <= kLargestDpi ? dpi : kDesignDpi; }

int ScaleForDpi(int length, int dpi) {
  const int64_t product = static_cast<int64_t>(length) * UsableDpi(dpi);
  const int64_t half = kDesignDpi / 2;
  const int64_t scaled = product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
  return static_cast<int>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

PixelRect ScaleForDpi(const PixelRect& rect, int dpi) {
  return {ScaleForDpi(rect.left, dpi), ScaleForDpi(rect.top, dpi), ScaleForDpi(rect.right, dpi),
          ScaleForDpi(rect.bottom, dpi)};
}

double UnscaleForDpi(double length, int dpi) { return length * kDesignDpi / UsableDpi(dpi); }

int TwipsToPixels(double twips, int dpi) {
  if (!std::isfinite(twips)) return 0;
  // Through twips per pixel, as places have always been converted: 15 at 96, 10 at 144.
  const double pixels = RoundHalfEven(twips / TwipsPerPixel(UsableDpi(dpi)));
  return static_cast<int>(std::clamp(pixels, -32768.0, 32767.0));
}

double PixelsToTwips(double pixels, int dpi) { return pixels * TwipsPerPixel(UsableDpi(dpi)); }

PixelRect TwipsToPixels(const TwipsRect& rect, int dpi) {
  return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi), TwipsToPixels(rect.left + rect.width, dpi),
          TwipsToPixels(rect.top + rect.height, dpi)};
}

int32_t FontHeightForPoints(double points, int dpi) {
  const double pixels = points * UsableDpi(dpi) / 72.0;
  if (!std::isfinite(pixels) || pixels < 1 || pixels >= 32768) return 0;
  return -static_cast<int32_t>(std::lround(pixels));
}

}  // namespace qb
