#include "harness/Screen.h"

#include <cstdlib>

#include "common/BmpFile.h"
#include "harness/Files.h"

namespace qb::e2e {

COLORREF ScreenImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const std::uint32_t rgb = pixels[static_cast<size_t>(y) * width + x];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

ScreenImage CaptureScreen(const RECT& area) {
  ScreenImage image;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return image;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return image;
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
      GdiFlush();
      const auto* words = static_cast<const std::uint32_t*>(bits);
      image.pixels.assign(words, words + static_cast<size_t>(width) * height);
      for (auto& p : image.pixels) p &= 0x00FFFFFFu;
      image.area = area;
      image.width = width;
      image.height = height;
    }
    SelectObject(memory, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

ScreenImage CaptureWindow(HWND hwnd) {
  RECT rect{};
  if (!GetWindowRect(hwnd, &rect)) return {};
  return CaptureScreen(rect);
}

bool SaveBitmap(const ScreenImage& image, const std::wstring& path) {
  if (image.Empty()) return false;
  const std::string bytes = qb::EncodeBmp24(image.pixels.data(), image.width, image.height);
  return !bytes.empty() && WriteFileBytes(path, bytes);
}

bool SameColour(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(static_cast<int>(GetRValue(a)) - GetRValue(b)) <= tolerance &&
         std::abs(static_cast<int>(GetGValue(a)) - GetGValue(b)) <= tolerance &&
         std::abs(static_cast<int>(GetBValue(a)) - GetBValue(b)) <= tolerance;
}

}  // namespace qb::e2e
