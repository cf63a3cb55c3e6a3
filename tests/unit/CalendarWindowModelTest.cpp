// The desktop calendar window's model: geometry for a font size, settings loaded and stored,
// paging, and the day under a point.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "calendar/CalendarWindowModel.h"
#include "calendar/DayNotes.h"
#include "unit/SettingsTestSupport.h"

namespace qb {
namespace {

struct GeometryCase {
  double fontSize;
  double twipsPerPixel;
  CalendarWindowGeometry want;
};

void ExpectGeometry(const CalendarWindowGeometry& got, const CalendarWindowGeometry& want, const std::string& what) {
  EXPECT_EQ(got.width, want.width) << what;
  EXPECT_EQ(got.height, want.height) << what;
  EXPECT_EQ(got.pictureWidth, want.pictureWidth) << what;
  EXPECT_EQ(got.pictureHeight, want.pictureHeight) << what;
  EXPECT_EQ(got.prevButton, want.prevButton) << what;
  EXPECT_EQ(got.nextButton, want.nextButton) << what;
  EXPECT_EQ(got.buttonSize, want.buttonSize) << what;
}

TEST(CalendarGeometry, ScalesWithTheFontSizeAndTheScreensDpi) {
  const GeometryCase cases[] = {
      // 3978 x 2355 twips = 265.2 x 157 px; the drawing area overhangs by 11 x 4.
      {10, 15, {265, 157, 276, 161, {2, 55}, {23, 55}, 12}},
      // Twice as high, 1.7 times as wide as the design size.
      {20, 15, {530, 314, 541, 318, {4, 105}, {41, 105}, 12}},
      // 397.8 x 235.5: halves go to the even neighbour (236, and 239.5 -> 240).
      {15, 15, {398, 236, 409, 240, {3, 80}, {32, 80}, 12}},
      // 120 dpi: 331.5 -> 332, 196.25 -> 196; the overhang and the buttons' places grow by 1.25
      // with the rest (345.25, 201.25; 2.5 -> 2, 68.75, 28.75); buttons 180 / 12 = 15 px.
      {10, 12, {332, 196, 345, 201, {2, 69}, {29, 69}, 15}},
      // 144 dpi: one and a half times the 96-dpi calendar, the same layout (397.8 x 235.5; the
      // overhang 16.5 x 6; buttons at 3, 82.5 and 34.5, 18 px square).
      {10, 10, {398, 236, 414, 242, {3, 82}, {34, 82}, 18}},
      // A font size that is no number counts as 0: only the overhang is left.
      {0, 15, {0, 0, 11, 4, {0, 5}, {5, 5}, 12}},
      // A negative size gives no negative window.
      {-10, 15, {0, 0, 0, 0, {-2, -45}, {-13, -45}, 12}},
  };
  for (const GeometryCase& c : cases) {
    ExpectGeometry(CalendarGeometryFor(c.fontSize, c.twipsPerPixel, c.twipsPerPixel), c.want,
                   "size " + std::to_string(c.fontSize) + " at " + std::to_string(c.twipsPerPixel) + " twips/px");
  }
}

TEST(CalendarGeometry, TwipsPerPixelFollowTheScreensResolution) {
  EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15);
  EXPECT_DOUBLE_EQ(TwipsPerPixel(120), 12);
  EXPECT_DOUBLE_EQ(TwipsPerPixel(144), 10);
  EXPECT_DOUBLE_EQ(TwipsPerPixel(0), 15);  // a screen that does not say
}

struct CellCase {
  double x, y;
  int fontSize;
  std::optional<int> index;
};

TEST(CalendarHitTest, MapsAPointToRowTimesSevenPlusColumnRoundingHalvesToEven) {
  const CellCase cases[] = {
      {60, 40, 10, 0},     // centre of the first cell: 6S, 4S
      {90, 40, 10, 1},     // column pitch 3S
      {60, 60, 10, 7},     // row pitch 2S
      {75, 40, 10, 0},     // column 0.5 -> 0
      {105, 40, 10, 2},    // column 1.5 -> 2
      {60, 50, 10, 0},     // row 0.5 -> 0
      {60, 70, 10, 14},    // row 1.5 -> 2
      {74.9, 49.9, 10, 0},
      {75.1, 40, 10, 1},
      {240, 140, 10, 41},  // last cell of the sixth row
      {270, 40, 10, 7},    // right of the grid: the next row's first cell
      {30, 60, 10, 6},     // left of the grid: the previous row's last cell
      {90, 180, 10, 50},   // row 7, column 1: the last index there is
      {120, 180, 10, std::nullopt},  // 51
      {0, 0, 10, std::nullopt},      // the year label: negative index
      {120, 80, 20, 0},    // S = 20: first cell centre at 6S, 4S
      {180, 120, 20, 8},
      {150, 100, 20, 0},   // halves at S = 20
      {60, 40, 0, std::nullopt},     // no usable font size
      {1e9, 40, 10, std::nullopt},   // beyond a 16-bit column
  };
  for (const CellCase& c : cases) {
    EXPECT_EQ(CalendarCellAt(c.x, c.y, c.fontSize), c.index) << "(" << c.x << ", " << c.y << ") S=" << c.fontSize;
  }
  // Just above the first row: row -0.5 rounds to 0 (even), so the first cell still answers.
  EXPECT_EQ(CalendarCellAt(60, 30, 10), std::optional<int>(0));
  // One pixel further up, row -0.55 rounds to -1: a negative index, nothing.
  EXPECT_EQ(CalendarCellAt(60, 29, 10), std::nullopt);
}

TEST(CalendarHitTest, TitlesTheDayOfTheCellAndNothingForABlankCell) {
  std::array<int16_t, kDayMapSize> dayMap{};
  // A month that begins on a Tuesday: cells 0 and 1 are blank.
  for (int day = 1; day <= 31; ++day) dayMap[static_cast<size_t>(day + 1)] = static_cast<int16_t>(day);
  EXPECT_EQ(DayNoteTitleAt(60, 40, 10, dayMap, 2004, 8), std::nullopt);         // blank cell 0
  EXPECT_EQ(DayNoteTitleAt(90, 40, 10, dayMap, 2004, 8), std::nullopt);         // blank cell 1
  EXPECT_EQ(DayNoteTitleAt(120, 40, 10, dayMap, 2004, 8), "2004年8月1日");
  EXPECT_EQ(DayNoteTitleAt(120, 80, 10, dayMap, 2004, 8), "2004年8月15日");     // cell 16
  EXPECT_EQ(DayNoteTitleAt(60, 120, 10, dayMap, 2005, 1), "2005年1月27日");     // cell 28, other month
  EXPECT_EQ(DayNoteTitleAt(0, 0, 10, dayMap, 2004, 8), std::nullopt);
  // A map shorter than the index range is never read past its end.
  EXPECT_EQ(DayNoteTitleAt(90, 180, 10, std::span<const int16_t>(dayMap.data(), 10), 2004, 8), std::nullopt);
}

TEST(CalendarSettingsText, OpacityIsClampedIntoAByte) {
  const std::pair<const char*, int> cases[] = {
      {"255", 255}, {"128", 128}, {"0", 0}, {" 64 ", 64}, {"300", 255}, {"-5", 0},
      {"127.5", 128}, {"128.5", 128}, {"1e9", 255}, {"abc", 255}, {"", 255},
  };
  for (const auto& [text, alpha] : cases) EXPECT_EQ(OpacityFromText(text), alpha) << text;
}

TEST(CalendarSettingsText, BackColourTakesOnlyRealColours) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"8000000", 8000000u}, {"255", 255u}, {"0", 0u}, {"16777215", 16777215u},
      {"16777216", 8000000u}, {"-1", 8000000u}, {"blue", 8000000u}, {"", 8000000u},
  };
  for (const auto& [text, colour] : cases) EXPECT_EQ(CalendarBackColourFromText(text), colour) << text;
}

TEST(CalendarSettingsText, PlacesInTwipsBecomePixels) {
  struct {
    const char* text;
    double twipsPerPixel;
    int pixels;
  } const cases[] = {
      {"1500", 15, 100}, {"-15", 15, -1}, {"0", 15, 0}, {"22.5", 15, 2}, {"37.5", 15, 2},
      {"1200", 12, 100}, {"abc", 15, 0}, {"", 15, 0}, {"1e30", 15, 32767}, {"-1e30", 15, -32768},
      {"1e40", 15, 0},  // beyond single precision: no place at all
  };
  for (const auto& c : cases) EXPECT_EQ(TwipsTextToPixels(c.text, c.twipsPerPixel), c.pixels) << c.text;
}

TEST(CalendarSettingsText, PositionsAreWrittenAsSinglePrecisionText) {
  const std::pair<double, const char*> cases[] = {
      {1500, "1500"}, {-15, "-15"}, {0, "0"}, {-0.0, "0"}, {491505, "491505"},
      {1440.0 / 110 * 100, "1309.091"}, {0.5, "0.5"}, {1e7, "1E+07"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value), text) << value;
}

TEST(CalendarPaging, MovesByOneAndStopsAtTheEndsOf16Bits) {
  EXPECT_EQ(PagedMonthOffset(0, 1), 1);
  EXPECT_EQ(PagedMonthOffset(0, -1), -1);
  EXPECT_EQ(PagedMonthOffset(PagedMonthOffset(PagedMonthOffset(0, 1), 1), -1), 1);
  EXPECT_EQ(PagedMonthOffset(32767, 1), 32767);
  EXPECT_EQ(PagedMonthOffset(-32768, -1), -32768);
  EXPECT_EQ(PagedMonthOffset(32767, -1), 32766);
}

class CalendarWindowSettings : public test::SettingsFileTest {};

TEST_F(CalendarWindowSettings, WithoutSettingsTheWindowOpensAtTheOriginInDarkBlueOpaqueAndMarksItselfOpen) {
  const CalendarWindowSetup setup = LoadCalendarWindowSettings(15, 15);
  EXPECT_EQ(setup.place, (PixelPoint{0, 0}));
  EXPECT_EQ(setup.backColour, 8000000u);  // RGB(0, 18, 122)
  EXPECT_EQ(setup.opacity, 255);
  EXPECT_EQ(setup.geometry.width, 265);
  EXPECT_EQ(setup.geometry.height, 157);
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Enable", ""), "True");
  EXPECT_EQ(File(), "[DESKTOPCAL]\r\nEnable=True\r\n") << "loading writes nothing else";
}

TEST_F(CalendarWindowSettings, ReadsPlaceColourOpacityAndFontSize) {
  Given(
      "[DESKTOPCAL]\r\nEnable=False\r\nTop=3000\r\nLeft=1500\r\nBKCOLOR=255\r\nTRANS=128\r\n"
      "[CalFont]\r\nSize=20\r\n");
  const CalendarWindowSetup setup = LoadCalendarWindowSettings(15, 15);
  EXPECT_EQ(setup.place, (PixelPoint{100, 200}));
  EXPECT_EQ(setup.backColour, 255u);
  EXPECT_EQ(setup.opacity, 128);
  EXPECT_EQ(setup.geometry.width, 530);
  EXPECT_EQ(setup.geometry.prevButton, (PixelPoint{4, 105}));
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Enable", ""), "True");
}

TEST_F(CalendarWindowSettings, ClosingStoresThePlaceInTwipsAndMarksTheCalendarClosed) {
  Given("[DESKTOPCAL]\r\nEnable=True\r\n");
  StoreCalendarWindowClosed(PixelPoint{120, -7}, 15, 15);
  EXPECT_EQ(File(), "[DESKTOPCAL]\r\nEnable=False\r\nTop=-105\r\nLeft=1800\r\n");
}

TEST_F(CalendarWindowSettings, AStoredPlaceComesBackToTheSamePixel) {
  for (double tpp : {15.0, 12.0, 1440.0 / 110}) {
    for (PixelPoint place : {PixelPoint{0, 0}, PixelPoint{1023, 767}, PixelPoint{-300, 45}, PixelPoint{7, 13}}) {
      StoreCalendarWindowClosed(place, tpp, tpp);
      EXPECT_EQ(LoadCalendarWindowSettings(tpp, tpp).place, place) << tpp;
    }
  }
}

TEST_F(CalendarWindowSettings, TheBackgroundPictureIsDrawnOnlyWhenImageIsOne) {
  EXPECT_EQ(CalendarBackgroundPicture(), std::nullopt);
  const std::pair<const char*, bool> cases[] = {{"1", true}, {"1.0", true}, {" 1 ", true}, {"0", false},
                                                {"2", false}, {"True", false}, {"", false}};
  for (const auto& [image, drawn] : cases) {
    Given(std::string("[Calender]\r\nImage=") + image + "\r\nFilename=C:\\pics\\bg.jpg\r\n");
    EXPECT_EQ(CalendarBackgroundPicture(), drawn ? std::optional<std::string>("C:\\pics\\bg.jpg") : std::nullopt)
        << image;
  }
}

TEST_F(CalendarWindowSettings, OpensAtStartUpOnlyWhenEnableIsExactlyTrue) {
  EXPECT_FALSE(CalendarOpensAtStartup());
  const std::pair<const char*, bool> cases[] = {{"True", true}, {" True ", true}, {"\"True\"", true},
                                                {"true", false}, {"TRUE", false}, {"1", false},
                                                {"False", false}, {"", false}};
  for (const auto& [enable, opens] : cases) {
    Given(std::string("[DESKTOPCAL]\r\nEnable=") + enable + "\r\n");
    EXPECT_EQ(CalendarOpensAtStartup(), opens) << enable;
  }
}

TEST_F(CalendarWindowSettings, TheHitTestTakesTheFontSizeAsA16BitInteger) {
  EXPECT_EQ(CalendarHitFontSize(), 10);
  const std::pair<const char*, int> cases[] = {{"20", 20}, {"12.5", 12}, {"13.5", 14}, {"abc", 0}, {"40000", 0}};
  for (const auto& [size, want] : cases) {
    Given(std::string("[CalFont]\r\nSize=") + size + "\r\n");
    EXPECT_EQ(CalendarHitFontSize(), want) << size;
  }
}

}  // namespace
}  // namespace qb
