#pragma once
// A drawing laid out in pixels of 96 dots per inch, put onto a canvas of another DPI: every place
// and area grows with the DPI, while font sizes stay in points (the canvas below makes them the
// right number of pixels for its DPI). The drawing keeps its layout at any DPI, only larger.
#include "common/Canvas.h"

namespace qb {

class ScaledCanvas final : public Canvas {
public:
  // `target` must outlive this canvas.
  ScaledCanvas(Canvas& target, int dpi) : target_(target), dpi_(dpi) {}

  void DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) override;
  void FillRect(int x, int y, int width, int height, Colour colour) override;
  [[nodiscard]] bool LoadPicture(const std::string& path) override { return target_.LoadPicture(path); }
  [[nodiscard]] bool SavePicture(const std::string& path) override { return target_.SavePicture(path); }
  // The target's size in the drawing's own pixels, rounded down.
  [[nodiscard]] int Width() const override;
  [[nodiscard]] int Height() const override;

private:
  Canvas& target_;
  int dpi_;
};

}  // namespace qb
