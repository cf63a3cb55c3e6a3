#pragma once
// The month drawing's canvas on GDI: TextOutW into a device context with fonts made by
// CreateFontW (size in points at the DC's LOGPIXELSY, or at the DPI the canvas is told) and kept
// for the canvas's lifetime, so that one drawing creates each (face, size, bold, italic) once.
//
// Two kinds: over a DC that belongs to someone else (a window's back buffer; the picture
// operations then fail), or owning a 32-bit DIB section with its own memory DC (the wallpaper
// calendar's off-screen picture), which can load a picture file and save itself as a 24-bit BMP.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "common/Canvas.h"
#include "platform/Handles.h"

namespace qb {

class GdiCanvas final : public Canvas {
public:
  // Draws into `hdc`, which the caller keeps selected and alive; width and height are only
  // reported back.
  GdiCanvas(HDC hdc, int width, int height);
  // An owned picture of the given size, filled black. Sizes below 1 become 1.
  GdiCanvas(int width, int height);
  // An owned picture the size of the primary screen (640 x 480 when that cannot be asked), the
  // canvas the wallpaper calendar starts from when its source picture cannot be loaded.
  static GdiCanvas ScreenSized();

  // The DC keeps pointers to the canvas's own objects: not copyable, not movable (ScreenSized
  // returns by guaranteed elision).
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;

  // Font sizes in points become pixels at `dpi` from now on (a window's monitor, or 96 for a picture
  // of fixed pixel layout) rather than at the DC's own LOGPIXELSY.
  void SetFontDpi(int dpi);

  void DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) override;
  void FillRect(int x, int y, int width, int height, Colour colour) override;
  bool LoadPicture(const std::string& path) override;
  bool SavePicture(const std::string& path) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  [[nodiscard]] HDC dc() const noexcept { return hdc_; }
  // The owned picture's pixels (0x00RRGGBB per pixel, top row first), nullptr for a borrowed DC.
  // GdiFlush() before reading what GDI drew.
  [[nodiscard]] const std::uint32_t* pixels() const noexcept { return bits_; }
  // The face used when a font names none.
  static constexpr const wchar_t* kDefaultFace = L"ＭＳ ゴシック";

private:
  bool Allocate(int width, int height);
  HFONT FontFor(const CanvasFont& font);

  UniqueMemoryDc memDc_;
  HDC hdc_ = nullptr;  // borrowed, or memDc_
  int savedState_ = 0;  // SaveDC before the canvas touched the DC; restored on destruction
  UniqueBitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int fontDpi_ = 0;  // 0: the DC's LOGPIXELSY
  std::map<std::tuple<std::string, double, bool, bool>, UniqueFont> fonts_;
};

}  // namespace qb
