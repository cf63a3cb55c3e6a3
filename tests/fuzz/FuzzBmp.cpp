// Fuzzes the program's own bitmap files: the reader with any bytes, and the writer and reader
// together with any picture.
//
// Input: any bytes. Read as a file; then, from its first two bytes a width and height (1..64 and
// 1..32) and from the rest the pixels of a picture, which is written and read back.
// Properties: nothing crashes and nothing is read outside the bytes (AddressSanitizer watches the
// exact-size input); a picture read has the size it claims within the limits, and written again
// and read back it is the same; a picture written reads back exactly, its size fields agree with
// the bytes, and a file cut short by any amount is refused rather than read.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "common/BmpFile.h"

namespace {

using namespace qb;
using fuzz::Check;

std::uint32_t Le32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

void CheckRead(std::string_view bytes) {
  const std::optional<BmpPixels> picture = DecodeBmp(bytes);
  if (!picture) return;
  Check(picture->width >= 1 && picture->height >= 1 && picture->width <= kMaxPictureSide &&
            picture->height <= kMaxPictureSide,
        "a picture read outside the size limits");
  Check(picture->pixels.size() == static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height),
        "a picture whose pixels do not fill its size");
  for (const std::uint32_t p : picture->pixels) Check(p <= 0xFFFFFF, "a pixel with an upper byte");
  const std::string again = EncodeBmp24(picture->pixels.data(), picture->width, picture->height);
  Check(DecodeBmp(again) == picture, "a picture read, written and read again differs");
}

void CheckWritten(std::string_view input) {
  if (input.size() < 2) return;
  const int width = static_cast<std::uint8_t>(input[0]) % 64 + 1;
  const int height = static_cast<std::uint8_t>(input[1]) % 32 + 1;
  input.remove_prefix(2);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    std::uint32_t p = 0;
    for (std::size_t k = 0; k < 4 && !input.empty(); ++k) {
      p = (p << 8) | static_cast<std::uint8_t>(input[(i * 4 + k) % input.size()]);
    }
    pixels[i] = p;
  }
  const std::string file = EncodeBmp24(pixels.data(), width, height);
  Check(file.size() == kBmpHeaderSize + BmpRowSize(width) * static_cast<std::size_t>(height),
        "a written file of the wrong size");
  Check(Le32(file, 2) == file.size() && Le32(file, 34) == file.size() - kBmpHeaderSize,
        "the size fields disagree with the file");
  const std::optional<BmpPixels> back = DecodeBmp(file);
  Check(back && back->width == width && back->height == height, "a written picture is not read back");
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    Check(back->pixels[i] == (pixels[i] & 0xFFFFFF), "a written pixel reads back otherwise");
  }
  // A cut anywhere in the pixels: the rows are no longer all there. The cut copy lives in a buffer
  // of its own exact size so that any read past it is seen.
  const std::size_t cut = kBmpHeaderSize + (input.empty() ? 0 : static_cast<std::uint8_t>(input[0])) %
                                               (file.size() - kBmpHeaderSize);
  std::vector<char> shorter(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
  Check(!DecodeBmp(std::string_view(shorter.data(), shorter.size())), "a file cut short was read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckRead(input);
  CheckWritten(input);
  return 0;
}
