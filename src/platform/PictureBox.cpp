#include "platform/PictureBox.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/DebugLog.h"
#include "platform/PictureFile.h"

namespace qb {

namespace {

void Fill(HDC dc, int width, int height, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  if (!Tolerate(brush.valid(), "CreateSolidBrush")) return;
  const RECT all{0, 0, width, height};
  Tolerate(FillRect(dc, &all, brush.get()) != 0, "FillRect");
}

}  // namespace

bool OffscreenImage::Create(int width, int height, COLORREF colour) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) {
    DebugLog("picture box image too large: " + std::to_string(width) + " x " + std::to_string(height));
    return false;
  }
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!Tolerate(dc.valid(), "CreateCompatibleDC")) return false;
  std::uint32_t* bits = nullptr;
  UniqueBitmap bitmap = CreateTopDownDib(width, height, &bits);
  if (!Tolerate(bitmap.valid() && bits != nullptr, "CreateDIBSection")) return false;
  const HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
  if (!Tolerate(original != nullptr && original != HGDI_ERROR, "SelectObject(DIB)")) return false;
  Fill(dc.get(), width, height, colour);

  Reset();
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  originalBitmap_ = original;
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

void OffscreenImage::Reset() noexcept {
  if (dc_ && originalBitmap_ != nullptr) SelectObject(dc_.get(), originalBitmap_);
  originalBitmap_ = nullptr;
  bitmap_.reset();
  dc_.reset();
  bits_ = nullptr;
  width_ = 0;
  height_ = 0;
}

void OffscreenImage::Swap(OffscreenImage& other) noexcept {
  std::swap(dc_, other.dc_);
  std::swap(bitmap_, other.bitmap_);
  std::swap(originalBitmap_, other.originalBitmap_);
  std::swap(bits_, other.bits_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
}

void PictureBox::ConfigureClass(WNDCLASSEXW& wc) {
  wc.style = CS_DBLCLKS;
  wc.hbrBackground = nullptr;  // the image covers everything; no flicker from erasing
}

bool PictureBox::Create(HWND parent, int x, int y, int width, int height, COLORREF backColour, Listener* listener) {
  backColour_ = backColour;
  listener_ = listener;
  if (!image_.Create(width, height, backColour_)) return false;
  WindowCreateParams p;
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  p.x = x;
  p.y = y;
  p.width = std::max(width, 0);
  p.height = std::max(height, 0);
  p.parent = parent;
  return CreateWindowFor(p);
}

void PictureBox::SetBounds(int x, int y, int width, int height) {
  OffscreenImage resized;
  if (resized.Create(width, height, backColour_)) {
    if (image_.Dc() != nullptr) {
      Tolerate(BitBlt(resized.Dc(), 0, 0, image_.Width(), image_.Height(), image_.Dc(), 0, 0, SRCCOPY) != 0, "BitBlt");
    }
    image_.Swap(resized);
  }
  Tolerate(SetWindowPos(Hwnd(), nullptr, x, y, std::max(width, 0), std::max(height, 0),
                        SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(picture box)");
}

void PictureBox::Cls() {
  if (image_.Dc() != nullptr) Fill(image_.Dc(), image_.Width(), image_.Height(), backColour_);
}

void PictureBox::StretchPicture(const DecodedPicture& picture) {
  if (image_.Dc() == nullptr || picture.width <= 0 || picture.height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC dc = image_.Dc();
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE wants the brush origin reset after the mode
  Tolerate(StretchDIBits(dc, 0, 0, image_.Width(), image_.Height(), 0, 0, picture.width, picture.height,
                         picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY) != 0,
           "StretchDIBits");
  if (oldMode != 0) SetStretchBltMode(dc, oldMode);
}

void PictureBox::Refresh() {
  if (Hwnd() != nullptr) Tolerate(InvalidateRect(Hwnd(), nullptr, FALSE) != 0, "InvalidateRect");
}

void PictureBox::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc == nullptr) return;
  GdiFlush();
  if (image_.Dc() != nullptr) {
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image_.Dc(), r.left, r.top, SRCCOPY);
  }
  EndPaint(Hwnd(), &ps);
}

void PictureBox::Mouse(UINT message, LPARAM lParam) {
  if (listener_ == nullptr) return;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_LBUTTONDOWN: listener_->PictureBox_MouseDown(*this, Button::Left, x, y); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: listener_->PictureBox_MouseDown(*this, Button::Right, x, y); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: listener_->PictureBox_MouseDown(*this, Button::Middle, x, y); break;
    case WM_LBUTTONUP: listener_->PictureBox_MouseUp(*this, Button::Left, x, y); break;
    case WM_RBUTTONUP: listener_->PictureBox_MouseUp(*this, Button::Right, x, y); break;
    case WM_MBUTTONUP: listener_->PictureBox_MouseUp(*this, Button::Middle, x, y); break;
    case WM_LBUTTONDBLCLK: listener_->PictureBox_DblClick(*this, x, y); break;
    default: break;
  }
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      Mouse(message, lParam);
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace qb
