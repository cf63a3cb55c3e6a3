#pragma once
// Picture files decoded through the Windows Imaging Component: BMP, JPEG, GIF (first frame) and
// whatever else WIC knows, into 32-bit pixels.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace qb {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  // 0x00RRGGBB per pixel (the memory order B, G, R, x of a 32-bit DIB), top row first.
  std::vector<std::uint32_t> pixels;
};

// nullopt when the file is missing, unreadable, not a picture, empty, or larger than 32767 pixels
// a side or 64 M pixels in all. COM is initialised for
// the call when the thread has not done so.
std::optional<DecodedPicture> DecodePictureFile(const std::string& path);

// A DIB section of 32-bit pixels in the layout of DecodedPicture (top row first); empty on
// failure. *bits points at its pixels while it lives.
UniqueBitmap CreateTopDownDib(int width, int height, std::uint32_t** bits);

}  // namespace qb
