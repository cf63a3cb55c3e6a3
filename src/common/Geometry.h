#pragma once
// Points and rectangles in pixels, shared by the window logic of every part of the program.

namespace qb {

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle in pixels, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace qb
