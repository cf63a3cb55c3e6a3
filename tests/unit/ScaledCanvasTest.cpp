// The calendar drawn at another DPI than 96: the same drawing, every place scaled, sizes in points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"
#include "common/DpiScale.h"
#include "common/ScaledCanvas.h"

namespace qb {
namespace {

void DrawMonth(Canvas& canvas) {
  MonthDrawInputs inputs;
  inputs.today = CivilDate{2024, 2, 29};
  inputs.font = CalendarFont{"Face", 10, true, true};
  inputs.readNote = [](std::string_view title, std::string& text) {
    if (title != "2024年2月11日") return -1;
    text = "note";
    return 0;
  };
  CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
  DrawCalendarMonth(canvas, x, y, 0, inputs, state);
}

TEST(ScaledCanvas, TheMonthKeepsItsLayoutAtEveryDpiWithPlacesScaledAndPointsKept) {
  RecordingCanvas design;
  DrawMonth(design);
  for (const int dpi : {96, 120, 144, 192}) {
    RecordingCanvas target(1000, 600);
    ScaledCanvas scaled(target, dpi);
    DrawMonth(scaled);
    ASSERT_EQ(target.ops().size(), design.ops().size()) << dpi;
    for (size_t i = 0; i < design.ops().size(); ++i) {
      const RecordedOp& want = design.ops()[i];
      const RecordedOp& got = target.ops()[i];
      EXPECT_EQ(got.text, want.text) << i;
      EXPECT_EQ(got.colour, want.colour) << i;
      EXPECT_EQ(got.font, want.font) << "points stay points: " << i;
      EXPECT_EQ(got.x, ScaleForDpi(want.x, dpi)) << want.text << " at " << dpi;
      EXPECT_EQ(got.y, ScaleForDpi(want.y, dpi)) << want.text << " at " << dpi;
    }
  }
  // 144: the grid starts at 63 instead of 42, the rows are 30 px apart instead of 20.
  RecordingCanvas target;
  ScaledCanvas scaled(target, 144);
  DrawMonth(scaled);
  int sunX = -1;
  for (const RecordedOp& op : target.ops())
    if (op.text == "Sun" && op.colour != kCalendarShadowColour) sunX = op.x;
  EXPECT_EQ(sunX, 63);
}

TEST(ScaledCanvas, AreasStayJoinedAndTheSizeIsToldInDesignPixels) {
  RecordingCanvas target(415, 242);
  ScaledCanvas scaled(target, 144);
  scaled.FillRect(0, 0, 3, 7, 1);
  scaled.FillRect(3, 0, 3, 7, 2);
  ASSERT_EQ(target.ops().size(), 2u);
  const RecordedOp& first = target.ops()[0];
  const RecordedOp& second = target.ops()[1];
  EXPECT_EQ(first.x + first.width, second.x) << "no gap and no overlap";
  EXPECT_EQ(first.height, second.height);
  EXPECT_EQ(scaled.Width(), 276);
  EXPECT_EQ(scaled.Height(), 161);
}

}  // namespace
}  // namespace qb
