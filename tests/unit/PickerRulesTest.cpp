// The conversions between the memo's whole point sizes and the font dialog's pixel heights, the
// boldness of weights, face names cut to the font structure, and the file picker's type lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings_dialog/PickerRules.h"

namespace {

using qb::CellHeightToPoints;
using qb::PointsToCellHeight;

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct SizeCase {
  std::int32_t points;
  std::int32_t height;
};

TEST(PointsToCellHeight, IsAPositiveCellHeightAtNinetySixDotsPerInch) {
  const SizeCase cases[] = {
      {8, 11},   // 10.67
      {9, 12},   // exact
      {10, 13},  // 13.33
      {11, 15},  // 14.67
      {12, 16}, {24, 32}, {0, 0}, {1, 1},
      {-10, 13},  // a negative size is taken by its magnitude, never a character height
  };
  for (const auto& c : cases) EXPECT_EQ(PointsToCellHeight(c.points), c.height) << c.points << " pt";
}

TEST(CellHeightToPoints, TakesTheMagnitudeAndRoundsHalvesToEven) {
  const SizeCase cases[] = {
      {10, -13},  // 9.75
      {10, -14},  // 10.5: the even neighbour
      {11, -15},  // 11.25
      {12, -16},
      {14, -18},  // 13.5 goes up to the even 14
      {2, -2},    // 1.5 -> 2
      {4, -6},    // 4.5 -> 4
      {10, 13},   // a positive (cell) height converts the same way
      {0, 0},
      {1610612736, INT32_MIN},  // the extreme height neither overflows nor changes sign
  };
  for (const auto& c : cases) EXPECT_EQ(CellHeightToPoints(c.height), c.points) << c.height << " px";
}

TEST(PickerSizes, FollowTheScreensDpi) {
  struct Case {
    int dpi;
    std::int32_t points, height;
  };
  const Case cases[] = {
      {144, 10, 20}, {144, 9, 18}, {120, 10, 17},  // 16.67
      {120, 9, 15}, {192, 10, 27},                  // 26.67
      {168, 9, 21},
      {0, 10, 13}, {-144, 10, 13}, {100000, 10, 13},  // no usable DPI: 96
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PointsToCellHeight(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
    EXPECT_EQ(CellHeightToPoints(-c.height, c.dpi), c.points) << c.height << " px at " << c.dpi;
  }
}

TEST(PickerSizes, EveryPointSizeSurvivesTheTripThroughTheDialog) {
  // The dialog may hand back the height it was given (negated or not); the size must not creep,
  // at any DPI.
  for (const int dpi : {72, 96, 120, 144, 168, 192, 240, 288}) {
    for (std::int32_t points = 1; points <= 400; ++points) {
      const std::int32_t height = PointsToCellHeight(points, dpi);
      ASSERT_EQ(CellHeightToPoints(height, dpi), points) << dpi;
      ASSERT_EQ(CellHeightToPoints(-height, dpi), points) << dpi;
    }
  }
}

TEST(PickerWeights, OnlyTheNormalWeightIsNotBold) {
  const struct {
    std::int32_t weight;
    bool bold;
  } cases[] = {{400, false}, {700, true}, {600, true}, {300, true}, {0, true}, {900, true}, {401, true}};
  for (const auto& c : cases) EXPECT_EQ(qb::IsBoldWeight(c.weight), c.bold) << c.weight;
  EXPECT_EQ(qb::WeightOf(true), 700);
  EXPECT_EQ(qb::WeightOf(false), 400);
}

TEST(FitFaceName, KeepsWholeCharactersWithinThirtyOneUnits) {
  const std::string thirtyOne(31, 'a');
  const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600: two UTF-16 units
  const struct {
    const char* what;
    std::string name;
    std::string fitted;
  } cases[] = {
      {"empty", "", ""},
      {"short Japanese face", "ＭＳ ゴシック", "ＭＳ ゴシック"},
      {"exactly full", thirtyOne, thirtyOne},
      {"one too many", thirtyOne + "b", thirtyOne},
      {"kana are three bytes but one unit each", Repeat("あ", 32), Repeat("あ", 31)},
      {"pair would straddle the end", std::string(30, 'a') + emoji, std::string(30, 'a')},
      {"pair fits exactly", std::string(29, 'a') + emoji + "z", std::string(29, 'a') + emoji},
      {"malformed byte becomes U+FFFD", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::FitFaceName(c.name), c.fitted) << c.what;
  EXPECT_EQ(qb::FitFaceName("abcdef", 3), "abc");
}

TEST(OpenFileFilter, ListsExecutablesThenEverything) {
  constexpr char kExpected[] = "実行可能ファイル (*.exe)\0*.exe\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
  // sizeof counts the literal's own terminator: the list's closing NUL.
  EXPECT_EQ(qb::OpenFileFilter(false), std::string(kExpected, sizeof kExpected));
}

TEST(OpenFileFilter, ListsBitmapsFirstInPictureMode) {
  constexpr char kExpected[] =
      "画像ファイル (*.bmp)\0*.bmp\0JPEGﾌｧｲﾙ (*.jpg)\0*.jpg\0GIFﾌｧｲﾙ (*.gif)\0*.gif\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
  // sizeof counts the literal's own terminator: the list's closing NUL.
  EXPECT_EQ(qb::OpenFileFilter(true), std::string(kExpected, sizeof kExpected));
}

}  // namespace
