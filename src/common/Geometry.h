#pragma once
// Points and rectangles in pixels, shared by the window logic of every part of the program.
#include <optional>

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

[[nodiscard]] constexpr bool Intersects(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A window whose stored place lies on no monitor (one was removed, the resolution changed) is shown
// on the work area of the nearest one instead: moved the least it takes to lie inside that area,
// its top-left corner kept inside when it is larger than the area. A window that shows at least in
// part on some monitor stays where it is (nullopt).
[[nodiscard]] std::optional<PixelPoint> PlaceOnScreen(const PixelRect& window, bool onSomeMonitor,
                                                      const PixelRect& nearestWorkArea);

}  // namespace qb
