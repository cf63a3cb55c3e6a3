// The wallpaper calendar end to end on the GDI canvas: a source picture (JPEG, GIF, or none at
// all) in, a 24-bit bitmap with the calendar's pixels out.
#include <windows.h>

#include <gtest/gtest.h>

#include "calendar/MonthRender.h"
#include "platform/GdiCanvas.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

using test::Blue;
using test::Green;
using test::Red;

struct Counts {
  int white = 0;
  int red = 0;
  int shadow = 0;
};

Counts CountIn(const test::Bmp24& bmp, int x0, int y0, int x1, int y1) {
  Counts c;
  for (int y = y0; y < y1 && y < bmp.height; ++y) {
    for (int x = x0; x < x1 && x < bmp.width; ++x) {
      const std::uint32_t p = bmp.At(x, y);
      if (Red(p) > 200 && Green(p) > 200 && Blue(p) > 200) ++c.white;
      if (Red(p) > 180 && Green(p) < 90 && Blue(p) < 90) ++c.red;
      if (p == 0x0A0A0A) ++c.shadow;
    }
  }
  return c;
}

class WallpaperCalendarWin : public testing::Test {
protected:
  // August 2004 at (20, 30): month label at (20, 30), header at (52, 40), grid from y = 58.
  std::optional<test::Bmp24> Draw(const std::string& source, GdiCanvas& canvas) {
    WallpaperDrawInputs inputs;
    inputs.today = {2004, 8, 6};
    std::int16_t x = 20;
    std::int16_t y = 30;
    CalendarMonthState state;
    const std::string target = folder.File("Quorbell.bmp");
    EXPECT_TRUE(DrawWallpaperCalendar(canvas, source, target, x, y, inputs, state));
    EXPECT_EQ(x, 52);
    EXPECT_EQ(y, 40);
    const auto bytes = test::ReadBytes(target);
    if (!bytes) {
      ADD_FAILURE() << "no bitmap written";
      return std::nullopt;
    }
    return test::ParseBmp24(*bytes);
  }

  test::TempFolder folder{L"qb-wallcal"};
};

TEST_F(WallpaperCalendarWin, MissingSourceStillGivesTheCalendarOnTheEmptyCanvas) {
  GdiCanvas canvas(640, 480);
  const auto bmp = Draw(folder.File("missing.jpg"), canvas);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 640);
  EXPECT_EQ(bmp->height, 480);
  const Counts label = CountIn(*bmp, 20, 30, 60, 70);
  EXPECT_GT(label.white, 10) << "month number";
  EXPECT_GT(label.shadow, 5) << "its shadow";
  EXPECT_GT(CountIn(*bmp, 52, 40, 80, 58).red, 5) << "Sun";
  EXPECT_GT(CountIn(*bmp, 52, 58, 80, 180).red, 10) << "the Sunday column";
  EXPECT_GT(CountIn(*bmp, 92, 58, 290, 180).white, 50) << "weekdays";
  // Far from the calendar the canvas is untouched.
  const Counts empty = CountIn(*bmp, 400, 300, 640, 480);
  EXPECT_EQ(empty.white + empty.red + empty.shadow, 0);
  EXPECT_EQ(bmp->At(600, 400), 0u);
}

TEST_F(WallpaperCalendarWin, JpegSourceIsTheBackground) {
  const std::string source = folder.File("wall.jpg");
  ASSERT_TRUE(test::WriteSolidJpeg(source, 400, 300, 0x3060A0));
  GdiCanvas canvas(10, 10);
  const auto bmp = Draw(source, canvas);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 400);
  EXPECT_EQ(bmp->height, 300);
  const std::uint32_t corner = bmp->At(380, 280);
  EXPECT_NEAR(Red(corner), 0x30, 8);
  EXPECT_NEAR(Green(corner), 0x60, 8);
  EXPECT_NEAR(Blue(corner), 0xA0, 8);
  EXPECT_GT(CountIn(*bmp, 20, 30, 60, 70).white, 10);
  EXPECT_GT(CountIn(*bmp, 52, 40, 80, 58).red, 5);
}

TEST_F(WallpaperCalendarWin, GifSourceIsTheBackground) {
  const std::string source = folder.File("wall.gif");
  const std::uint32_t palette[4] = {0x00A000, 0, 0, 0};
  ASSERT_TRUE(test::WriteBytes(source, test::MakeGif(320, 200, palette, std::vector<std::uint8_t>(320 * 200, 0))));
  GdiCanvas canvas(10, 10);
  const auto bmp = Draw(source, canvas);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 320);
  EXPECT_EQ(bmp->height, 200);
  EXPECT_EQ(bmp->At(310, 190), 0x00A000u);
  EXPECT_GT(CountIn(*bmp, 92, 58, 290, 180).white, 50);
}

}  // namespace
}  // namespace qb
