#include "common/BmpFile.h"

#include <limits>

namespace qb {
namespace {

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// 96 dots per inch, in pixels per metre.
constexpr std::uint32_t kPixelsPerMetre = 3780;

std::uint32_t Get16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) { return Get16(bytes, at) | (Get16(bytes, at + 2) << 16); }

// BITMAPINFOHEADER is the shortest header with these fields; BITMAPV5HEADER the longest.
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kBiRgb = 0;

}  // namespace

std::string EncodeBmp24(const std::uint32_t* pixels, int width, int height) {
  if (pixels == nullptr || width < 1 || height < 1) return {};
  const std::size_t rowSize = BmpRowSize(width);
  const std::size_t imageSize = rowSize * static_cast<std::size_t>(height);
  if (imageSize / rowSize != static_cast<std::size_t>(height) ||
      imageSize > std::numeric_limits<std::uint32_t>::max() - kBmpHeaderSize) {
    return {};
  }
  std::string out;
  out.reserve(kBmpHeaderSize + imageSize);
  // BITMAPFILEHEADER
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(kBmpHeaderSize + imageSize));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(kBmpHeaderSize));
  // BITMAPINFOHEADER: a positive height means bottom-up rows.
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(imageSize));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);
  Put32(out, 0);

  // Rows are written in place (a screen's worth is millions of bytes); the padding stays zero.
  out.resize(kBmpHeaderSize + imageSize, '\0');
  char* row = out.data() + kBmpHeaderSize;
  for (int y = height - 1; y >= 0; --y, row += rowSize) {
    const std::uint32_t* line = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    char* at = row;
    for (int column = 0; column < width; ++column, at += 3) {
      const std::uint32_t p = line[column];
      at[0] = static_cast<char>(p & 0xFF);          // blue
      at[1] = static_cast<char>((p >> 8) & 0xFF);   // green
      at[2] = static_cast<char>((p >> 16) & 0xFF);  // red
    }
  }
  return out;
}

std::optional<BmpPixels> DecodeBmp(std::string_view bytes) {
  if (bytes.size() < kBmpHeaderSize || !bytes.starts_with("BM")) return std::nullopt;
  const std::uint32_t pixelOffset = Get32(bytes, 10);
  const std::uint32_t headerSize = Get32(bytes, 14);
  if (headerSize < kInfoHeaderSize || headerSize > kV5HeaderSize ||
      kBmpFileHeaderSize + headerSize > bytes.size() || pixelOffset < kBmpFileHeaderSize + headerSize) {
    return std::nullopt;
  }
  const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
  const auto storedHeight = static_cast<std::int32_t>(Get32(bytes, 22));
  const std::uint32_t planes = Get16(bytes, 26);
  const std::uint32_t bitsPerPixel = Get16(bytes, 28);
  if (planes != 1 || (bitsPerPixel != 24 && bitsPerPixel != 32) || Get32(bytes, 30) != kBiRgb) return std::nullopt;
  // A negative height means top-down rows; compared before negating, which INT32_MIN would overflow.
  if (width < 1 || width > kMaxPictureSide || storedHeight == 0 || storedHeight < -kMaxPictureSide ||
      storedHeight > kMaxPictureSide) {
    return std::nullopt;
  }
  const bool topDown = storedHeight < 0;
  const int height = topDown ? -storedHeight : storedHeight;
  const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (pixelCount > kMaxPicturePixels) return std::nullopt;
  const std::size_t bytesPerPixel = bitsPerPixel / 8;
  const std::size_t rowSize = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~static_cast<std::size_t>(3);
  // Both figures are far below 2^40 after the limits above, so the sum cannot wrap.
  if (static_cast<std::uint64_t>(pixelOffset) + static_cast<std::uint64_t>(rowSize) * height > bytes.size()) {
    return std::nullopt;
  }
  BmpPixels picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(pixelCount));
  for (int y = 0; y < height; ++y) {
    const std::size_t stored = static_cast<std::size_t>(topDown ? y : height - 1 - y);
    const char* at = bytes.data() + pixelOffset + stored * rowSize;
    std::uint32_t* line = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x, at += bytesPerPixel) {
      line[x] = static_cast<std::uint8_t>(at[0]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(at[1])) << 8) |
                (static_cast<std::uint32_t>(static_cast<std::uint8_t>(at[2])) << 16);
    }
  }
  return picture;
}

}  // namespace qb
