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

}  // namespace qb
