// The 24-bit bitmap writer, read back field by field.
#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace
}  // namespace qb
