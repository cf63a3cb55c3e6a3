#pragma once
// The colours of the colour chooser's two bars and of its readout, as plain values: which colour
// each horizontal band of a bar has and where it lies, and how a colour is written as hex text.
#include <cstdint>
#include <string>
#include <vector>

namespace qb {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A band across the whole bar, rows top to bottom - 1.
struct ColourBand {
  int top = 0;
  int bottom = 0;
  Rgb colour;
  friend bool operator==(const ColourBand&, const ColourBand&) = default;
};

// A bar is drawn this wide; wider than the bar itself, so every band covers it.
inline constexpr int kBandRight = 30;

// The hue bar: 186 bands of 2 rows from red through magenta, blue, cyan, green and yellow back
// to red. A falling component stops at 7 or 8 instead of 0.
[[nodiscard]] std::vector<ColourBand> HueBands();

// The shade bar for a colour: 23 tints of 8 rows from white towards it, 25 shades of 8 rows
// (each overlapping the previous one by a row) from it towards black, then a black band.
[[nodiscard]] std::vector<ColourBand> ShadeBands(Rgb colour);

// A colour value with red in the low byte; all bits set (a pixel that cannot be read) is white.
[[nodiscard]] Rgb SplitColourValue(std::uint32_t value);

// Six upper-case hex digits, red first: (10, 11, 12) is "0A0B0C".
[[nodiscard]] std::string HexText(Rgb colour);

}  // namespace qb
