// Lengths at other DPIs than the design's 96: pixel figures, twips and font sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/DpiScale.h"

namespace {

TEST(DpiScale, PixelLengthsGrowWithTheDpiRoundedAsMulDivRounds) {
  const struct {
    int length, dpi, want;
  } cases[] = {
      {100, 96, 100},  {100, 144, 150}, {100, 120, 125}, {100, 192, 200},  // whole steps
      {1, 144, 2},     {1, 120, 1},     {3, 144, 5},     {23, 144, 35},    // halves away from zero
      {-1, 144, -2},   {-3, 144, -5},   {0, 144, 0},                       // negative places too
      {11, 168, 19},   {265, 144, 398}, {30, 240, 75},                     // 175 %, the calendar, 250 %
      {100, 0, 100},   {100, -5, 100},  {100, 100000, 100},                // unusable DPIs count as 96
  };
  for (const auto& c : cases) EXPECT_EQ(qb::ScaleForDpi(c.length, c.dpi), c.want) << c.length << " at " << c.dpi;
  // The largest lengths neither overflow nor wrap.
  EXPECT_EQ(qb::ScaleForDpi(std::numeric_limits<int>::max(), 480), std::numeric_limits<int>::max());
  EXPECT_EQ(qb::ScaleForDpi(std::numeric_limits<int>::min(), 480), std::numeric_limits<int>::min());
}

TEST(DpiScale, RectanglesThatTouchAtTheDesignDpiStillTouch) {
  // Bands of 2 rows, as the colour chooser draws them: scaled corner by corner, no gap and no
  // overlap opens between neighbours at any DPI.
  for (int dpi : {96, 120, 144, 168, 192, 240}) {
    for (int top = 0; top < 40; top += 2) {
      const qb::PixelRect band = qb::ScaleForDpi(qb::PixelRect{0, top, 30, top + 2}, dpi);
      const qb::PixelRect next = qb::ScaleForDpi(qb::PixelRect{0, top + 2, 30, top + 4}, dpi);
      EXPECT_EQ(band.bottom, next.top) << "band at " << top << ", " << dpi << " dpi";
      EXPECT_GE(band.bottom - band.top, 2) << "a band never gets thinner than at 96";
    }
  }
}

TEST(DpiScale, ScaledPointsGoBackToTheirDesignCoordinates) {
  EXPECT_DOUBLE_EQ(qb::UnscaleForDpi(150, 144), 100);
  EXPECT_DOUBLE_EQ(qb::UnscaleForDpi(45, 144), 30);
  EXPECT_DOUBLE_EQ(qb::UnscaleForDpi(25, 120), 20);
  EXPECT_DOUBLE_EQ(qb::UnscaleForDpi(7, 96), 7);
  EXPECT_DOUBLE_EQ(qb::UnscaleForDpi(7, 0), 7);
}

TEST(DpiScale, ATwipStaysOneFourteenHundredFortiethOfAnInch) {
  const struct {
    double twips;
    int dpi, pixels;
  } cases[] = {
      {3000, 96, 200},   {3000, 144, 300},  {3000, 120, 250},  {3000, 192, 400},
      {4680, 96, 312},   {4680, 144, 468},  {15, 96, 1},       {0, 144, 0},
      {75, 144, 8},      {85, 144, 8},      {-3000, 144, -300},  // halves to the even neighbour
      {1e9, 144, 32767}, {-1e9, 144, -32768},                      // kept in 16 bits
      {std::numeric_limits<double>::quiet_NaN(), 144, 0},
      {3000, 0, 200},  // a screen that does not say: 96
  };
  for (const auto& c : cases) EXPECT_EQ(qb::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  EXPECT_DOUBLE_EQ(qb::PixelsToTwips(200, 96), 3000);
  EXPECT_DOUBLE_EQ(qb::PixelsToTwips(300, 144), 3000);
  EXPECT_DOUBLE_EQ(qb::PixelsToTwips(250, 120), 3000);
  // A round trip keeps the place at every DPI.
  for (int dpi : {96, 110, 120, 144, 168, 192})
    for (int pixels : {-1000, -1, 0, 1, 7, 265, 1023, 3839})
      EXPECT_EQ(qb::TwipsToPixels(qb::PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " at " << dpi;
}

TEST(DpiScale, ADesignInTwipsBecomesPixelsCornerByCorner) {
  // The stopwatch's "Start" button, 735 x 375 twips at (360, 480), and the "Clear" button beside it.
  const qb::TwipsRect start{360, 480, 735, 375};
  const qb::TwipsRect clear{1095, 480, 735, 375};
  EXPECT_EQ(qb::TwipsToPixels(start, 96), (qb::PixelRect{24, 32, 73, 57}));
  EXPECT_EQ(qb::TwipsToPixels(start, 144), (qb::PixelRect{36, 48, 110, 86}));  // 109.5 and 85.5: to the even
  EXPECT_EQ(qb::TwipsToPixels(start, 120), (qb::PixelRect{30, 40, 91, 71}));
  for (int dpi : {96, 110, 120, 144, 168, 192})
    EXPECT_EQ(qb::TwipsToPixels(start, dpi).right, qb::TwipsToPixels(clear, dpi).left) << "touching at " << dpi;
}

TEST(DpiScale, PointsStayPoints) {
  const struct {
    double points;
    int dpi, height;
  } cases[] = {
      {9, 96, -12},  {9, 144, -18},  {10, 96, -13},  {10, 144, -20}, {12, 120, -20},
      {13.5, 96, -18}, {15, 144, -30}, {0, 144, 0},  {-5, 96, 0},     {1e9, 96, 0},
      {std::numeric_limits<double>::infinity(), 96, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qb::FontHeightForPoints(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
}

}  // namespace
