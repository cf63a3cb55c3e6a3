// The 24-bit bitmap writer, read back field by field.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/BmpFile.h"

namespace qb {
namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

// Pixel (x, y) of a decoded 24-bit bottom-up file as 0x00RRGGBB.
std::uint32_t PixelAt(const std::string& b, int width, int height, int x, int y) {
  const std::size_t at = kBmpHeaderSize + BmpRowSize(width) * static_cast<std::size_t>(height - 1 - y) +
                         static_cast<std::size_t>(x) * 3;
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8) |
         (static_cast<std::uint8_t>(b[at + 2]) << 16);
}

TEST(BmpFile, HeadersPaddingAndPixelOrderForEveryRowRemainder) {
  for (int width = 1; width <= 5; ++width) {
    const int height = 3;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        // Distinct bytes per channel, and a set upper byte that must not leak out.
        pixels.push_back(0xAB000000u | (static_cast<std::uint32_t>(x * 40 + 1) << 16) |
                         (static_cast<std::uint32_t>(y * 50 + 2) << 8) | static_cast<std::uint32_t>(x + y + 3));
      }
    }
    const std::string b = EncodeBmp24(pixels.data(), width, height);
    SCOPED_TRACE(width);
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(BmpRowSize(width), row);
    ASSERT_EQ(b.size(), 54 + row * height);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 6), 0u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(U32(b, 22), static_cast<std::uint32_t>(height));  // positive: bottom-up
    EXPECT_EQ(U16(b, 26), 1u);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), row * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(PixelAt(b, width, height, x, y), pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF)
            << x << "," << y;
      }
      // Padding bytes are zero.
      for (std::size_t p = static_cast<std::size_t>(width) * 3; p < row; ++p) {
        EXPECT_EQ(b[54 + row * static_cast<std::size_t>(height - 1 - y) + p], '\0');
      }
    }
  }
}

TEST(BmpFile, RefusesEmptyPictures) {
  const std::uint32_t one = 0;
  EXPECT_TRUE(EncodeBmp24(&one, 0, 1).empty());
  EXPECT_TRUE(EncodeBmp24(&one, 1, 0).empty());
  EXPECT_TRUE(EncodeBmp24(&one, -1, 5).empty());
  EXPECT_TRUE(EncodeBmp24(nullptr, 1, 1).empty());
  // Larger than the format's 32-bit size field can describe.
  EXPECT_TRUE(EncodeBmp24(&one, 40000, 40000).empty());
}

// A file as other programs write them: 24 or 32 bits, either row order, a header of any length.
std::string OtherBmp(int width, int height, int bits, int headerSize, std::uint32_t compression = 0, int planes = 1) {
  const std::size_t row = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits / 8) + 3) / 4 * 4;
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  const std::size_t offset = 14 + static_cast<std::size_t>(headerSize);
  std::string b = "BM";
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(static_cast<std::uint32_t>(offset + row * rows), 4);
  put(0, 4);
  put(static_cast<std::uint32_t>(offset), 4);
  put(static_cast<std::uint32_t>(headerSize), 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(static_cast<std::uint32_t>(planes), 2);
  put(static_cast<std::uint32_t>(bits), 2);
  put(compression, 4);
  b.resize(offset, '\0');
  // Stored row r, pixel x: blue r, green x, red 0x40, and 0xEE in a 32-bit pixel's fourth byte.
  for (std::size_t r = 0; r < rows; ++r) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      line += static_cast<char>(r);
      line += static_cast<char>(x);
      line += '\x40';
      if (bits == 32) line += '\xEE';
    }
    line.resize(row, '\0');
    b += line;
  }
  return b;
}

TEST(BmpFile, ReadsWhatItWritesAndThePlainFormsOfOthers) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t i = 0; i < 5 * 3; ++i) pixels.push_back(0xFF000000u | (i * 0x010203u));
  const std::optional<BmpPixels> back = DecodeBmp(EncodeBmp24(pixels.data(), 5, 3));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 5);
  EXPECT_EQ(back->height, 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(back->pixels[i], pixels[i] & 0xFFFFFF) << i;

  // Bottom-up rows: the first stored row is the picture's last; top-down (negative height) the
  // other way round; the fourth byte of a 32-bit pixel is dropped; V4 and V5 headers are read.
  for (const auto& [bits, header, height] : {std::tuple{24, 40, 2}, std::tuple{32, 40, -2}, std::tuple{32, 108, 2},
                                             std::tuple{24, 124, -2}}) {
    SCOPED_TRACE(testing::Message() << bits << " bits, header " << header << ", height " << height);
    const std::optional<BmpPixels> other = DecodeBmp(OtherBmp(3, height, bits, header));
    ASSERT_TRUE(other);
    ASSERT_EQ(other->pixels.size(), 6u);
    const std::uint32_t topRow = height > 0 ? 1 : 0;
    EXPECT_EQ(other->pixels[0], 0x400000u | topRow);
    EXPECT_EQ(other->pixels[5], 0x400000u | (2u << 8) | (1 - topRow));
  }
}

TEST(BmpFile, RefusesWhatItCannotReadWholeAndLeavesItToTheSystem) {
  const std::string good = OtherBmp(3, 2, 24, 40);
  ASSERT_TRUE(DecodeBmp(good));
  std::string offsetInHeader = good;
  offsetInHeader[10] = 20;
  std::string hugeOffset = good;
  hugeOffset[13] = '\x7F';
  const std::vector<std::pair<const char*, std::string>> refused = {
      {"empty", ""},
      {"no BM", "XY" + good.substr(2)},
      {"one byte short", good.substr(0, good.size() - 1)},
      {"header only", good.substr(0, 54)},
      {"header longer than the file", OtherBmp(1, 1, 24, 4000).substr(0, 60)},
      {"header shorter than BITMAPINFOHEADER", OtherBmp(3, 2, 24, 12)},
      {"pixels inside the header", offsetInHeader},
      {"pixels far beyond the end", hugeOffset},
      {"8 bits (palette)", OtherBmp(3, 2, 8, 40)},
      {"16 bits", OtherBmp(3, 2, 16, 40)},
      {"run-length compressed", OtherBmp(3, 2, 24, 40, 1)},
      {"bit fields", OtherBmp(3, 2, 32, 40, 3)},
      {"two planes", OtherBmp(3, 2, 24, 40, 0, 2)},
      {"no width", OtherBmp(0, 2, 24, 40)},
      {"no height", OtherBmp(3, 0, 24, 40)},
      {"the lowest height", OtherBmp(3, 0, 24, 40).replace(22, 4, std::string("\0\0\0\x80", 4))},
      {"wider than the limit", OtherBmp(3, 2, 24, 40).replace(18, 4, std::string("\0\x80\0\0", 4))},
      {"more pixels than the limit", OtherBmp(1, 1, 24, 40).replace(18, 8, std::string("\xFF\x7F\0\0\xFF\x7F\0\0", 8))},
  };
  for (const auto& [what, bytes] : refused) EXPECT_FALSE(DecodeBmp(bytes)) << what;
}

}  // namespace
}  // namespace qb
