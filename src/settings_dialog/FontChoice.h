#pragma once
// A font as the memo window and the settings keep it: the face, a whole point size, the text
// colour and the four styles. The font picker (FontPicker.h) hands one in and back.
#include <cstdint>
#include <string>

#include "common/Canvas.h"

namespace qb {

struct FontChoice {
  std::string name;  // face name, UTF-8
  Colour colour = 0;
  std::int32_t size = 10;  // whole points
  bool bold = false;
  bool italic = false;
  bool strikeout = false;
  bool underline = false;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

}  // namespace qb
