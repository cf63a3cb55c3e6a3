#pragma once
// Windows bitmap files written by the program itself: BITMAPFILEHEADER and BITMAPINFOHEADER,
// 24 bits per pixel, rows bottom-up and padded to four bytes. Every viewer and the wallpaper
// service read this form. The reader takes that form back, and the other plain forms (32 bits,
// top-down rows, the longer V4 and V5 headers), without asking the system's picture decoders.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The largest picture the program decodes: 32767 pixels a side, 64 M pixels in all (8192 x 8192,
// 256 MB decoded), far beyond any screen and short of exhausting memory.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;

struct BmpPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  friend bool operator==(const BmpPixels&, const BmpPixels&) = default;
};

// The pixels of an uncompressed 24- or 32-bit bitmap file (BI_RGB; any header from
// BITMAPINFOHEADER to BITMAPV5HEADER; rows bottom-up or top-down; a 32-bit pixel's fourth byte
// ignored). nullopt for every other file: another form (palettes, compression, bit fields, which
// the system's decoders know), a truncated one, or one beyond the limits above. Reads nothing
// outside `bytes`.
std::optional<BmpPixels> DecodeBmp(std::string_view bytes);

}  // namespace qb
