#pragma once
// What the month drawing needs from a drawing surface: text in a font and colour at a pixel
// position, filled rectangles, and, for the wallpaper calendar, a picture to draw on and a bitmap
// file to save. The GDI implementation draws into a device context (platform/GdiCanvas.h); the
// recording implementation (RecordingCanvas.h) keeps a list of what was drawn, for tests and
// quorbell-tool.
#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// A Windows colour number: 0x00BBGGRR (red in the low byte).
using Colour = std::int32_t;

constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct CanvasFont {
  std::string face;  // empty: the canvas's own face
  double size = 10;  // points; may be fractional (1.5 x 9 = 13.5) or 0 (the face's default)
  bool bold = false;
  bool italic = false;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

class Canvas {
public:
  virtual ~Canvas() = default;

  // Draws `text` (UTF-8) with its top-left corner at (x, y), transparent background.
  virtual void DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) = 0;
  virtual void FillRect(int x, int y, int width, int height, Colour colour) = 0;

  // Replaces the canvas with the picture in `path` (BMP, JPEG or GIF) and sizes the canvas to it.
  // False when the file cannot be read or decoded; the canvas is then left as it was.
  [[nodiscard]] virtual bool LoadPicture(const std::string& path) = 0;
  // Saves the canvas as it looks now as a 24-bit Windows bitmap file, replacing `path` as a whole
  // (the old file stays when anything fails). False when nothing was written.
  [[nodiscard]] virtual bool SavePicture(const std::string& path) = 0;

  [[nodiscard]] virtual int Width() const = 0;
  [[nodiscard]] virtual int Height() const = 0;
};

}  // namespace qb
