#include "common/Geometry.h"

#include <algorithm>

namespace qb {

std::optional<PixelPoint> PlaceOnScreen(const PixelRect& window, bool onSomeMonitor, const PixelRect& area) {
  if (onSomeMonitor) return std::nullopt;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  // The far edge first, so that for a window larger than the area its top-left corner wins.
  const int x = std::max(area.left, std::min(window.left, area.right - width));
  const int y = std::max(area.top, std::min(window.top, area.bottom - height));
  return PixelPoint{x, y};
}

}  // namespace qb
