#include <gtest/gtest.h>

#include <cstdint>

#include "accessories/colour_chooser/ColourBands.h"

namespace {

using qb::ColourBand;
using qb::Rgb;

TEST(HueBands, RunsRedMagentaBlueCyanGreenYellowRedInTwoRowBands) {
  const auto bands = qb::HueBands();
  ASSERT_EQ(bands.size(), 186u);
  for (std::size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].top, static_cast<int>(2 * i));
    EXPECT_EQ(bands[i].bottom, static_cast<int>(2 * i + 2));
  }
  // The last band of each segment, and the first bands around the turns.
  const struct {
    std::size_t index;
    Rgb colour;
  } cases[] = {
      {0, {255, 0, 8}},      // the first step already moves blue
      {30, {255, 0, 248}},   // magenta
      {31, {247, 0, 248}},   // red starts to fall
      {61, {7, 0, 248}},     // red stops at 7, not 0
      {92, {7, 248, 248}},   // cyan
      {121, {7, 248, 16}},   // blue has fallen 29 times
      {122, {7, 248, 8}},
      {123, {7, 248, 8}},    // the 31st fall would reach 0 and is skipped
      {124, {15, 248, 8}},   // red rises again
      {154, {255, 248, 8}},  // yellow
      {185, {255, 8, 8}},    // green ends at 8: back near red
  };
  for (const auto& c : cases) EXPECT_EQ(bands[c.index].colour, c.colour) << "band " << c.index;
  EXPECT_EQ(bands.back().bottom, 372);
}

TEST(ShadeBands, WhiteGivesTwentyThreeWhiteTintsThenGreysDownToFifteenAndBlack) {
  const auto bands = qb::ShadeBands(Rgb{255, 255, 255});
  ASSERT_EQ(bands.size(), 23u + 25u + 1u);
  for (int i = 0; i < 23; ++i) EXPECT_EQ(bands[i], (ColourBand{8 * i, 8 * i + 8, Rgb{255, 255, 255}})) << i;
  for (int i = 0; i < 25; ++i) {
    const int grey = 255 - 10 * i;
    EXPECT_EQ(bands[23 + i], (ColourBand{184 + 7 * i, 192 + 7 * i, Rgb{grey, grey, grey}})) << i;
  }
  EXPECT_EQ(bands.back(), (ColourBand{359, 369, Rgb{0, 0, 0}}));
}

TEST(ShadeBands, TintsApproachTheColourAndShadesStopAboveZero) {
  const struct {
    Rgb colour;
    std::size_t index;
    Rgb expected;
  } cases[] = {
      // Tints of (255, 0, 8): red stays (never more than 8 below 255), the others fall by 8.
      {{255, 0, 8}, 0, {255, 255, 255}},
      {{255, 0, 8}, 1, {255, 247, 247}},
      {{255, 0, 8}, 22, {255, 79, 79}},
      // Shades of (255, 0, 8): 0 and 8 cannot fall by 10 and stay.
      {{255, 0, 8}, 23, {255, 0, 8}},
      {{255, 0, 8}, 24, {245, 0, 8}},
      {{255, 0, 8}, 47, {15, 0, 8}},
      // A component stops falling once it is within 8 of the colour's.
      {{240, 240, 240}, 1, {247, 247, 247}},
      {{240, 240, 240}, 2, {247, 247, 247}},
      // Black: tints fall all the way; shades stay black.
      {{0, 0, 0}, 22, {79, 79, 79}},
      {{0, 0, 0}, 30, {0, 0, 0}},
      // A component of 11 falls to 1 and stays.
      {{11, 20, 10}, 24, {1, 10, 10}},
      {{11, 20, 10}, 25, {1, 10, 10}},
  };
  for (const auto& c : cases) {
    const auto bands = qb::ShadeBands(c.colour);
    EXPECT_EQ(bands.at(c.index).colour, c.expected) << "band " << c.index << " of (" << c.colour.red << ", "
                                                    << c.colour.green << ", " << c.colour.blue << ")";
  }
}

TEST(ColourReadout, SplitsRedLowAndWritesTwoUpperCaseDigitsEach) {
  const struct {
    std::uint32_t value;
    Rgb colour;
    const char* hex;
  } cases[] = {
      {0x000000FFu, {255, 0, 0}, "FF0000"},
      {0x000C0B0Au, {10, 11, 12}, "0A0B0C"},
      {0x00FF8000u, {0, 128, 255}, "0080FF"},
      {0x00000000u, {0, 0, 0}, "000000"},
      {0x00FFFFFFu, {255, 255, 255}, "FFFFFF"},
      {0xFFFFFFFFu, {255, 255, 255}, "FFFFFF"},  // a pixel that cannot be read
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qb::SplitColourValue(c.value), c.colour) << std::hex << c.value;
    EXPECT_EQ(qb::HexText(c.colour), c.hex);
  }
}

}  // namespace
