#include "common/ScaledCanvas.h"

#include <cmath>

#include "common/DpiScale.h"

namespace qb {

void ScaledCanvas::DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) {
  target_.DrawText(ScaleForDpi(x, dpi_), ScaleForDpi(y, dpi_), text, colour, font);
}

void ScaledCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  // Corner by corner, so that areas that touch still touch.
  const PixelRect area = ScaleForDpi(PixelRect{x, y, x + width, y + height}, dpi_);
  target_.FillRect(area.left, area.top, area.right - area.left, area.bottom - area.top, colour);
}

int ScaledCanvas::Width() const { return static_cast<int>(std::floor(UnscaleForDpi(target_.Width(), dpi_))); }

int ScaledCanvas::Height() const { return static_cast<int>(std::floor(UnscaleForDpi(target_.Height(), dpi_))); }

}  // namespace qb
