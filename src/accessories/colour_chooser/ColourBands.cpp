#include "accessories/colour_chooser/ColourBands.h"

#include <cstdio>

namespace qb {

namespace {

// A rising component climbs by 8; a falling one drops by 8 only while it stays above 0.
void Rise(int& component) { component += 8; }
void Fall(int& component) {
  if (component - 8 > 0) component -= 8;
}

}  // namespace

std::vector<ColourBand> HueBands() {
  constexpr int kStepsPerSegment = 31;
  constexpr int kBandHeight = 2;
  Rgb c{255, 0, 0};
  // Each segment moves one component: blue up, red down, green up, blue down, red up, green down.
  void (*const moves[6])(int&) = {Rise, Fall, Rise, Fall, Rise, Fall};
  int* const components[6] = {&c.blue, &c.red, &c.green, &c.blue, &c.red, &c.green};
  std::vector<ColourBand> bands;
  bands.reserve(6 * kStepsPerSegment);
  int y = 0;
  for (int segment = 0; segment < 6; ++segment) {
    for (int step = 0; step < kStepsPerSegment; ++step) {
      moves[segment](*components[segment]);
      bands.push_back({y, y + kBandHeight, c});
      y += kBandHeight;
    }
  }
  return bands;
}

std::vector<ColourBand> ShadeBands(Rgb colour) {
  std::vector<ColourBand> bands;
  int y = 0;
  // Tints: from white, each component steps down by 8 while it is still more than 8 above the
  // colour's.
  Rgb tint{255, 255, 255};
  const auto approach = [](int& component, int target) {
    if (target < component - 8) component -= 8;
  };
  for (int i = 0; i < 23; ++i) {
    bands.push_back({y, y + 8, tint});
    approach(tint.red, colour.red);
    approach(tint.green, colour.green);
    approach(tint.blue, colour.blue);
    y += 8;
  }
  // Shades: from the colour, each component steps down by 10 while it stays above 0.
  const auto darken = [](int& component) {
    if (component - 10 > 0) component -= 10;
  };
  Rgb shade = colour;
  for (int i = 0; i < 25; ++i) {
    bands.push_back({y, y + 8, shade});
    darken(shade.red);
    darken(shade.green);
    darken(shade.blue);
    y += 7;
  }
  bands.push_back({y, y + 10, Rgb{0, 0, 0}});
  return bands;
}

Rgb SplitColourValue(std::uint32_t value) {
  return Rgb{static_cast<int>(value & 0xFFu), static_cast<int>((value & 0xFF00u) / 0x100u),
             static_cast<int>((value & 0xFF0000u) / 0x10000u)};
}

std::string HexText(Rgb colour) {
  char text[16];
  std::snprintf(text, sizeof(text), "%02X%02X%02X", colour.red & 0xFF, colour.green & 0xFF, colour.blue & 0xFF);
  return text;
}

}  // namespace qb
