#pragma once
// Lengths for a screen of a given number of dots per inch. Every window of the program is designed
// for 96 dots per inch and laid out for the DPI of the monitor it stands on: lengths in pixels at
// 96 grow with the DPI, fonts keep their size in points, and twips stay 1/1440 of an inch (3000
// twips are 200 pixels at 96 and 300 at 144).
#include <cstdint>

#include "common/Geometry.h"

namespace qb {

// The DPI every pixel figure of the design is given for.
inline constexpr int kDesignDpi = 96;

// `dpi`, or 96 when it is not a usable DPI (0, negative, or a monitor that answered nonsense).
[[nodiscard]] int UsableDpi(int dpi);

// A length in pixels at 96 for a screen of `dpi`, rounded half away from zero (MulDiv's rounding):
// 100 is 150 at 144, 1 is 2 at 144 and 1 at 120.
[[nodiscard]] int ScaleForDpi(int length, int dpi);
// The same for a rectangle, corner by corner, so that rectangles that touch at 96 still touch.
[[nodiscard]] PixelRect ScaleForDpi(const PixelRect& rect, int dpi);
// A length the other way: pixels at `dpi` back to pixels at 96, unrounded (a point of a scaled
// drawing back in its design coordinates).
[[nodiscard]] double UnscaleForDpi(double length, int dpi);

// Twips to pixels at `dpi`, rounded half to even and kept in the 16-bit range window places have;
// pixels to twips, unrounded.
[[nodiscard]] int TwipsToPixels(double twips, int dpi);
[[nodiscard]] double PixelsToTwips(double pixels, int dpi);

// A rectangle of a design laid out in twips, and the same in pixels at `dpi`, corner by corner (so
// that rectangles that touch in twips still touch).
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
[[nodiscard]] PixelRect TwipsToPixels(const TwipsRect& rect, int dpi);

// The height of a font of `points` points for CreateFont at `dpi`: negative (the character height,
// as font sizes in points mean), rounded to the nearest pixel; 0 (the face's default) for a size no
// font can take.
[[nodiscard]] int32_t FontHeightForPoints(double points, int dpi);

}  // namespace qb
