#pragma once
// Windows bitmap files written by the program itself: BITMAPFILEHEADER and BITMAPINFOHEADER,
// 24 bits per pixel, rows bottom-up and padded to four bytes. Every viewer and the wallpaper
// service read this form.
#include <cstdint>
#include <string>

namespace qb {

// BITMAPFILEHEADER, then BITMAPINFOHEADER. What follows the file header is a packed
// device-independent bitmap, the clipboard's CF_DIB.
inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpHeaderSize = kBmpFileHeaderSize + 40;

// Bytes of one padded 24-bit row.
constexpr std::size_t BmpRowSize(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// `pixels` holds width x height values 0x00RRGGBB (the upper byte is ignored), top row first, the
// layout of a top-down 32-bit DIB. Empty text for sizes below 1 or a file too large for the
// format's 32-bit size fields.
std::string EncodeBmp24(const std::uint32_t* pixels, int width, int height);

}  // namespace qb
