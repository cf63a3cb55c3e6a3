#pragma once
// A child window that keeps its picture: everything is drawn into an off-screen 32-bit bitmap of
// the box's size, and WM_PAINT only copies that bitmap to the screen. A window that draws once
// (when it loads, when its contents change) therefore keeps its image when it is covered and
// uncovered, without redrawing. Mouse presses, releases and double-clicks go to a listener.
#include <windows.h>

#include <cstdint>

#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

struct DecodedPicture;

// A 32-bit top-down DIB section selected into its own memory DC.
class OffscreenImage {
public:
  OffscreenImage() = default;
  ~OffscreenImage() { Reset(); }
  OffscreenImage(const OffscreenImage&) = delete;
  OffscreenImage& operator=(const OffscreenImage&) = delete;

  // More pixels than this (8192 x 8192, 256 MB) are refused: far beyond any screen, and GDI
  // addresses the rows of a DIB section with 32-bit offsets, so drawing into an image of more
  // than 2 GB reads and writes outside it.
  static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

  // A new image of that size (sizes below 1 become 1) filled with `colour`; false on failure or
  // beyond kMaxPixels, the old image then stays.
  [[nodiscard]] bool Create(int width, int height, COLORREF colour);
  void Reset() noexcept;
  void Swap(OffscreenImage& other) noexcept;

  [[nodiscard]] HDC Dc() const noexcept { return dc_.get(); }
  [[nodiscard]] int Width() const noexcept { return width_; }
  [[nodiscard]] int Height() const noexcept { return height_; }
  // 0x00RRGGBB per pixel, top row first; call GdiFlush() before reading what GDI drew.
  [[nodiscard]] const std::uint32_t* Pixels() const noexcept { return bits_; }

private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;  // the DC's own bitmap, selected back before ours is deleted
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

class PictureBox : public WindowBase<PictureBox> {
public:
  enum class Button { Left, Right, Middle };

  class Listener {
  public:
    virtual void PictureBox_MouseDown(PictureBox& box, Button button, int x, int y) {}
    virtual void PictureBox_MouseUp(PictureBox& box, Button button, int x, int y) {}
    // The left button's double-click (the second press of it).
    virtual void PictureBox_DblClick(PictureBox& box, int x, int y) {}

  protected:
    ~Listener() = default;
  };

  static const wchar_t* ClassName() { return L"Quorbell.PictureBox"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // A visible child of `parent` whose image is filled with `backColour`. `listener` may be null.
  [[nodiscard]] bool Create(HWND parent, int x, int y, int width, int height, COLORREF backColour,
                            Listener* listener);

  // Moves and resizes the box; the image keeps what fits and fills the rest with the back colour.
  void SetBounds(int x, int y, int width, int height);
  void SetBackColor(COLORREF colour) noexcept { backColour_ = colour; }
  [[nodiscard]] COLORREF BackColor() const noexcept { return backColour_; }

  // Fills the whole image with the back colour.
  void Cls();
  // Stretches a picture over the whole image (halftone, so that shrinking stays legible).
  void StretchPicture(const DecodedPicture& picture);
  // Shows the image as it is now.
  void Refresh();

  // Draw into this DC; it stays valid until the box is resized.
  [[nodiscard]] HDC Dc() const noexcept { return image_.Dc(); }
  [[nodiscard]] int ImageWidth() const noexcept { return image_.Width(); }
  [[nodiscard]] int ImageHeight() const noexcept { return image_.Height(); }
  [[nodiscard]] const OffscreenImage& Image() const noexcept { return image_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void Paint();
  void Mouse(UINT message, LPARAM lParam);

  OffscreenImage image_;
  COLORREF backColour_ = RGB(255, 255, 255);
  Listener* listener_ = nullptr;
};

}  // namespace qb
