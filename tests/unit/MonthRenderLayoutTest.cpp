// The calendar window's month layout: positions for several font sizes (with the half-to-even
// rounding visible), the shapes of months, the day map, colours and the enlarged current day.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"

namespace qb {
namespace {

constexpr Colour kText = 0x111111;
constexpr Colour kHoliday = 0x222222;
constexpr Colour kSaturday = 0x333333;

struct Drawing {
  std::vector<RecordedOp> texts;
  CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
};

Drawing Draw(CivilDate today, std::int16_t size, std::int16_t monthOffset = 0, std::int16_t x0 = 0,
             std::int16_t y0 = 0, CalendarMonthState state = {}) {
  MonthDrawInputs inputs;
  inputs.today = today;
  inputs.font = CalendarFont{"TestFace", size, true, false};
  inputs.colours = CalendarColours{kText, kHoliday, kSaturday};
  RecordingCanvas canvas;
  Drawing d;
  d.state = state;
  d.x = x0;
  d.y = y0;
  DrawCalendarMonth(canvas, d.x, d.y, monthOffset, inputs, d.state);
  d.texts = canvas.texts();
  return d;
}

// The main (non-shadow) draw of a text; the texts of the grid are unique per month except blanks.
const RecordedOp* Main(const Drawing& d, const std::string& text) {
  for (const RecordedOp& op : d.texts) {
    if (op.text == text && op.colour != kCalendarShadowColour) return &op;
  }
  return nullptr;
}

const RecordedOp* Shadow(const Drawing& d, const std::string& text) {
  for (const RecordedOp& op : d.texts) {
    if (op.text == text && op.colour == kCalendarShadowColour) return &op;
  }
  return nullptr;
}

struct LayoutCase {
  std::int16_t size;
  std::int16_t x0, y0;
  int yearY, labelY;
  double labelSize;
  int gridX, headerY, headerShadowY;
  int sunShadowX, friShadowX, friX, monX, satX;
  double currentSize;
};

// S = 30 and the origin y = 1 put the month label on a half: 30 + 34.5 = 64.5 goes down to 64,
// 11 + 11.5 = 22.5 goes down to 22, while 10 + 11.5 = 21.5 goes up to 22.
const LayoutCase kLayoutCases[] = {
    {10, 0, 0, 10, 22, 22, 42, 12, 14, 44, 196, 194, 72, 222, 15},
    {12, 0, 0, 12, 26, 24, 50, 14, 16, 52, 235, 232, 86, 266, 18},
    {9, 0, 0, 9, 19, 21, 38, 10, 12, 40, 177, 175, 65, 200, 13.5},
    {30, 0, 0, 30, 64, 42, 126, 34, 40, 132, 588, 582, 216, 666, 45},
    {10, 0, 1, 11, 22, 22, 42, 12, 14, 44, 196, 194, 72, 222, 15},
    {10, 5, -3, 7, 18, 22, 47, 8, 10, 49, 201, 199, 77, 227, 15},
};

class MonthLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MonthLayout, PlacesYearLabelHeaderAndCells) {
  const LayoutCase& c = GetParam();
  const Drawing d = Draw({2004, 8, 6}, c.size, 0, c.x0, c.y0);
  const int s = c.size;

  ASSERT_EQ(d.texts.size(), 4u + 14u + 84u);
  // Year, then the month label, each shadow first two pixels right and down.
  EXPECT_EQ(d.texts[0].text, "2004");
  EXPECT_EQ(d.texts[0].colour, kCalendarShadowColour);
  EXPECT_EQ(d.texts[0].x, c.x0 + 2);
  EXPECT_EQ(d.texts[0].y, c.yearY + 2);
  EXPECT_EQ(d.texts[1].x, c.x0);
  EXPECT_EQ(d.texts[1].y, c.yearY);
  EXPECT_EQ(d.texts[1].font.size, s);
  EXPECT_EQ(d.texts[3].text, " 8");
  EXPECT_EQ(d.texts[2].x, c.x0 + 2);
  EXPECT_EQ(d.texts[2].y, c.labelY + 2);
  EXPECT_EQ(d.texts[3].x, c.x0);
  EXPECT_EQ(d.texts[3].y, c.labelY);
  EXPECT_EQ(d.texts[3].font.size, c.labelSize);

  // Header: seven shadows, then the seven texts.
  for (int i = 4; i < 11; ++i) {
    EXPECT_EQ(d.texts[i].colour, kCalendarShadowColour);
    EXPECT_EQ(d.texts[i].y, c.headerShadowY);
    EXPECT_EQ(d.texts[i].font.size, s);
  }
  for (int i = 11; i < 18; ++i) {
    EXPECT_NE(d.texts[i].colour, kCalendarShadowColour);
    EXPECT_EQ(d.texts[i].y, c.headerY);
  }
  EXPECT_EQ(d.texts[4].x, c.sunShadowX);
  EXPECT_EQ(d.texts[9].text, "Fri");
  EXPECT_EQ(d.texts[9].x, c.friShadowX);
  EXPECT_EQ(d.texts[11].x, c.gridX);
  EXPECT_EQ(d.texts[12].x, c.monX);
  EXPECT_EQ(d.texts[16].x, c.friX);
  EXPECT_EQ(d.texts[17].x, c.satX);

  // Every cell: shadow one pixel right and down, then the text; the current day larger and moved.
  for (int r = 0; r < 6; ++r) {
    for (int k = 0; k < 7; ++k) {
      const std::size_t i = 18 + 2 * static_cast<std::size_t>(r * 7 + k);
      const RecordedOp& shadow = d.texts[i];
      const RecordedOp& main = d.texts[i + 1];
      const bool current = main.text == "06";
      const int dx = current ? 4 : 0;
      const int dy = current ? 2 : 0;
      SCOPED_TRACE(main.text + " r" + std::to_string(r) + " k" + std::to_string(k));
      EXPECT_EQ(main.x, c.gridX + 3 * s * k + 7 - dx);
      EXPECT_EQ(main.y, c.headerY + 3 * s + 2 * s * r - dy);
      EXPECT_EQ(shadow.text, main.text);
      EXPECT_EQ(shadow.colour, kCalendarShadowColour);
      EXPECT_EQ(shadow.x, main.x + 1);
      EXPECT_EQ(shadow.y, main.y + 1);
      EXPECT_EQ(main.font.size, current ? c.currentSize : s);
      EXPECT_TRUE(main.font.bold);
      EXPECT_FALSE(main.font.italic);
      EXPECT_EQ(main.font.face, "TestFace");
    }
  }
  EXPECT_EQ(d.x, c.gridX);
  EXPECT_EQ(d.y, c.headerY);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MonthLayout, ::testing::ValuesIn(kLayoutCases));

TEST(MonthLayout, TwoDigitMonthLabelHasNoBlank) {
  const Drawing d = Draw({2004, 12, 1}, 10);
  EXPECT_EQ(d.texts[3].text, "12");
  EXPECT_EQ(Draw({1999, 1, 1}, 10).texts[3].text, " 1");
}

struct ShapeCase {
  int year, month;
  int firstIndex;  // cell of day 1
  int days;
  const char* why;
};

const ShapeCase kShapes[] = {
    {2004, 8, 0, 31, "begins on a Sunday: no leading blanks"},
    {2015, 2, 0, 28, "non-leap February from a Sunday: exactly four rows"},
    {2026, 2, 0, 28, "non-leap February from a Sunday: exactly four rows"},
    {2016, 1, 5, 31, "31 days from a Friday: six rows"},
    {2016, 10, 6, 31, "31 days from a Saturday: six rows"},
    {2018, 9, 6, 30, "30 days from a Saturday: six rows"},
    {2004, 2, 0, 29, "leap February from a Sunday: one day in the fifth row"},
    {2000, 2, 2, 29, "leap century"},
    {1900, 2, 4, 28, "century that is not leap"},
};

class MonthShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(MonthShape, GridTextAndDayMap) {
  const ShapeCase& c = GetParam();
  SCOPED_TRACE(c.why);
  std::string expected(static_cast<std::size_t>(c.firstIndex) * 2, ' ');
  for (int day = 1; day <= c.days; ++day) {
    expected += static_cast<char>('0' + day / 10);
    expected += static_cast<char>('0' + day % 10);
  }
  expected.resize(84, ' ');
  EXPECT_EQ(MonthGridText(c.year, c.month), expected);

  // Drawn over a map full of stale numbers: every blank cell and the tail must read 0.
  CalendarMonthState stale;
  stale.CalendarDayMap.fill(99);
  const Drawing d = Draw({c.year, c.month, 1}, 10, 0, 0, 0, stale);
  for (int i = 0; i < 51; ++i) {
    const int day = i - c.firstIndex + 1;
    const int expectedDay = (i < 42 && day >= 1 && day <= c.days) ? day : 0;
    EXPECT_EQ(d.state.CalendarDayMap[static_cast<std::size_t>(i)], expectedDay) << "index " << i;
  }
  EXPECT_EQ(d.state.CalendarYear, c.year);
  EXPECT_EQ(d.state.CalendarMonth, c.month);
}

INSTANTIATE_TEST_SUITE_P(Months, MonthShape, ::testing::ValuesIn(kShapes));

TEST(MonthDayMap, ShorterMonthAfterSixRowsClearsTheRest) {
  CalendarMonthState state;
  Drawing d = Draw({2016, 1, 1}, 10, 0, 0, 0, state);
  ASSERT_EQ(d.state.CalendarDayMap[35], 31);
  d = Draw({2015, 2, 1}, 10, 0, 0, 0, d.state);
  EXPECT_EQ(d.state.CalendarDayMap[27], 28);
  for (int i = 28; i < 51; ++i) EXPECT_EQ(d.state.CalendarDayMap[static_cast<std::size_t>(i)], 0) << i;
}

// November 2019: 3rd a Sunday holiday, 4th its substitute, 2nd a plain Saturday, 23rd a holiday on
// a Saturday.
TEST(MonthColours, SundaysSaturdaysAndHolidays) {
  const Drawing d = Draw({2019, 11, 15}, 10);
  struct Expect {
    const char* text;
    Colour colour;
  };
  const Expect expects[] = {
      {"2019", kText}, {"11", kText}, {"Sun", kHoliday}, {"Mon", kText}, {"Fri", kText},
      {"Sat", kSaturday}, {"01", kText}, {"02", kSaturday}, {"03", kHoliday}, {"04", kHoliday},
      {"05", kText}, {"10", kHoliday}, {"16", kSaturday}, {"23", kHoliday}, {"24", kHoliday},
      {"25", kText}, {"30", kSaturday},
  };
  for (const Expect& e : expects) {
    const RecordedOp* op = Main(d, e.text);
    ASSERT_NE(op, nullptr) << e.text;
    EXPECT_EQ(op->colour, e.colour) << e.text;
    ASSERT_NE(Shadow(d, e.text), nullptr) << e.text;
  }
  // Blank cells are drawn too, in their column's colour.
  const RecordedOp& firstBlank = d.texts[18 + 1];
  EXPECT_EQ(firstBlank.text, "  ");
  EXPECT_EQ(firstBlank.colour, kHoliday);
}

struct PagingCase {
  CivilDate today;
  std::int16_t offset;
  int year, month;
  const char* enlarged;
};

const PagingCase kPaging[] = {
    {{2015, 1, 31}, 1, 2015, 2, "28"},
    {{2016, 1, 31}, 1, 2016, 2, "29"},
    {{2004, 3, 31}, -1, 2004, 2, "29"},
    {{2004, 8, 6}, 2, 2004, 10, "06"},
    {{2004, 8, 6}, -12, 2003, 8, "06"},
    {{2004, 8, 31}, 5, 2005, 1, "31"},
    {{2004, 8, 31}, 1, 2004, 9, "30"},
    {{2004, 1, 15}, -13, 2002, 12, "15"},
};

class MonthPaging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(MonthPaging, ShownMonthAndEnlargedDay) {
  const PagingCase& c = GetParam();
  const Drawing d = Draw(c.today, 10, c.offset);
  EXPECT_EQ(d.state.CalendarYear, c.year);
  EXPECT_EQ(d.state.CalendarMonth, c.month);
  int enlarged = 0;
  for (const RecordedOp& op : d.texts) {
    if (op.font.size == 15) {
      ++enlarged;
      EXPECT_EQ(op.text, c.enlarged);
    }
  }
  EXPECT_EQ(enlarged, 2);  // shadow and text
  const CivilDate shown = ShownDate(c.today, c.offset);
  EXPECT_EQ(shown.year, c.year);
  EXPECT_EQ(shown.month, c.month);
  EXPECT_EQ(shown.day, std::stoi(c.enlarged));
}

INSTANTIATE_TEST_SUITE_P(Offsets, MonthPaging, ::testing::ValuesIn(kPaging));

// Sizes a settings file can hold: 0 when the value is no number, negative ones too; the layout
// still runs and the 16-bit origin never wraps.
TEST(MonthLayout, ExtremeSizesKeepTheOriginIn16Bits) {
  const Drawing zero = Draw({2004, 8, 6}, 0);
  EXPECT_EQ(zero.x, 0);
  EXPECT_EQ(zero.y, 0);
  EXPECT_EQ(zero.texts.size(), 102u);

  const Drawing huge = Draw({2004, 8, 6}, 32767, 0, 100, 100);
  EXPECT_EQ(huge.texts.size(), 102u);
  EXPECT_EQ(huge.y, 100 - 32767);  // y + S overflows and is skipped; y - S is not
  EXPECT_EQ(huge.x, 100);          // x + 4.2 S overflows and is skipped
  EXPECT_EQ(huge.texts[3].font.size, 32767);  // S + 12 overflows: the label keeps size S
}

// The window lets the user page 32767 months either way: a year far ahead, and one below zero,
// still give a whole month and a consistent state.
TEST(MonthPaging, ExtremeOffsetsStillDrawAWholeMonth) {
  struct Case {
    std::int16_t offset;
    int year, month;
  };
  for (const Case c : {Case{32767, 4735, 3}, Case{-32768, -727, 12}}) {
    const Drawing d = Draw({2004, 8, 31}, 10, c.offset);
    EXPECT_EQ(d.texts.size(), 102u);
    EXPECT_EQ(d.state.CalendarYear, c.year);
    EXPECT_EQ(d.state.CalendarMonth, c.month);
    EXPECT_EQ(*std::max_element(d.state.CalendarDayMap.begin(), d.state.CalendarDayMap.end()), 31);
    ASSERT_NE(Main(d, "31"), nullptr);
    EXPECT_EQ(Main(d, "31")->font.size, 15);
  }
}

}  // namespace
}  // namespace qb
