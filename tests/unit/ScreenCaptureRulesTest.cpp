#include <gtest/gtest.h>

#include <string>

#include "hotkeys/CdDoorCommand.h"
#include "hotkeys/ScreenCaptureRules.h"

namespace qb::test {
namespace {

TEST(ScreenCaptureRules, FileNameIsTwoDigitsEachForTheMomentOfTheCapture) {
  const struct {
    LocalDateTime time;
    const char* name;
  } cases[] = {
      {{2005, 3, 1, 14, 5, 9}, "050301140509.BMP"},   // 1 March 2005, 14:05:09
      {{2000, 1, 1, 0, 0, 0}, "000101000000.BMP"},    // midnight, year ending in 00
      {{1999, 12, 31, 23, 59, 59}, "991231235959.BMP"},
      {{2026, 10, 9, 9, 30, 0}, "261009093000.BMP"},  // hours 00-23, leading zeros kept
      {{2100, 2, 28, 12, 0, 1}, "000228120001.BMP"},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptureFileName(c.time), c.name);
}

TEST(ScreenCaptureRules, TwoCapturesInOneSecondShareTheirName) {
  EXPECT_EQ(CaptureFileName({2005, 3, 1, 14, 5, 9}), CaptureFileName({2005, 3, 1, 14, 5, 9}));
  EXPECT_NE(CaptureFileName({2005, 3, 1, 14, 5, 9}), CaptureFileName({2005, 3, 1, 14, 5, 10}));
}

TEST(ScreenCaptureRules, CaptureAreaIsTheWindowClippedToTheScreen) {
  const PixelRect screen{0, 0, 1024, 768};
  const PixelRect twoMonitors{-1280, 0, 1024, 1024};
  const struct {
    const char* what;
    PixelRect screen;
    std::optional<PixelRect> window;
    std::optional<PixelRect> area;
  } cases[] = {
      {"whole screen", screen, std::nullopt, screen},
      {"whole virtual screen", twoMonitors, std::nullopt, twoMonitors},
      {"window inside", screen, PixelRect{100, 100, 420, 340}, PixelRect{100, 100, 420, 340}},
      {"off the left and top", screen, PixelRect{-100, -50, 220, 190}, PixelRect{0, 0, 220, 190}},
      {"off the right and bottom", screen, PixelRect{900, 700, 1220, 940}, PixelRect{900, 700, 1024, 768}},
      {"larger than the screen", screen, PixelRect{-8, -8, 1032, 776}, screen},
      {"on the second monitor", twoMonitors, PixelRect{-1400, 10, -1000, 300}, PixelRect{-1280, 10, -1000, 300}},
      {"minimised", screen, PixelRect{-32000, -32000, -31840, -31976}, std::nullopt},
      {"just beyond the right edge", screen, PixelRect{1024, 0, 1100, 100}, std::nullopt},
      {"no size", screen, PixelRect{10, 10, 10, 10}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptureArea(c.screen, c.window), c.area) << c.what;
}

TEST(ScreenCaptureRules, OnlyExactlyTruePrints) {
  const struct {
    const char* setting;
    bool prints;
  } cases[] = {{"True", true}, {"true", false}, {"TRUE", false}, {"False", false}, {"", false},
               {"1", false},   {"True ", false}, {"-1", false}};
  for (const auto& c : cases) EXPECT_EQ(CapturePrints(c.setting), c.prints) << '"' << c.setting << '"';
}

TEST(ScreenCaptureRules, NoPictureAndAnUnwrittenFileAreToldTheRestIsSilent) {
  EXPECT_EQ(CaptureMessage(CaptureOutcome::NoPicture), "保存出来ませんでした。");
  EXPECT_EQ(CaptureMessage(CaptureOutcome::NotSaved), "保存出来ませんでした。");
  EXPECT_EQ(CaptureMessage(CaptureOutcome::Saved), std::nullopt);
  EXPECT_EQ(CaptureMessage(CaptureOutcome::Printed), std::nullopt);
  EXPECT_EQ(CaptureMessage(CaptureOutcome::NotPrinted), std::nullopt) << "no printer: no message";
}

// A4 landscape printable areas: 297 x 210 mm less a margin of about 4 mm a side.
constexpr PrintablePage kA4Landscape600{6814, 4760, 600, 600};
constexpr PrintablePage kA4Landscape300{3407, 2380, 300, 300};

TEST(ScreenCaptureRules, PrintedPictureHasItsNaturalSizeTenMillimetresFromTheLeft) {
  const struct {
    const char* what;
    PictureOnScreen picture;
    PrintablePage page;
    std::optional<PixelRect> place;
  } cases[] = {
      // 10 mm at 600 dpi = 236.2 dots; 320 pixels at 96 dpi = 3.33 in = 2000 dots.
      {"window at 600 dpi", {320, 240, 96, 96}, kA4Landscape600, PixelRect{236, 0, 236 + 2000, 1500}},
      {"window at 300 dpi", {320, 240, 96, 96}, kA4Landscape300, PixelRect{118, 0, 118 + 1000, 750}},
      // A screen at 144 dpi: its pixels are smaller, so is the picture.
      {"high-dpi screen", {480, 360, 144, 144}, kA4Landscape600, PixelRect{236, 0, 236 + 2000, 1500}},
      // Unequal dots per inch across and down on either side.
      {"unequal dpi", {96, 96, 96, 48}, {4000, 4000, 600, 300}, PixelRect{236, 0, 236 + 600, 600}},
      {"one pixel", {1, 1, 96, 96}, kA4Landscape600, PixelRect{236, 0, 242, 6}},
      // Exactly the room left: not shrunk.
      {"exact fit", {1040, 704, 96, 96}, {6736, 4400, 600, 600}, PixelRect{236, 0, 6736, 4400}},
  };
  for (const auto& c : cases) EXPECT_EQ(PrintPlacement(c.picture, c.page), c.place) << c.what;
}

TEST(ScreenCaptureRules, PictureTooLargeIsShrunkKeepingItsProportions) {
  const struct {
    const char* what;
    PictureOnScreen picture;
    PrintablePage page;
    std::optional<PixelRect> place;
  } cases[] = {
      // 1024 x 768 at 96 dpi is 6400 x 4800 dots: too high by 40, shrunk by 4760 / 4800.
      {"screen, limited by the height", {1024, 768, 96, 96}, kA4Landscape600, PixelRect{236, 0, 236 + 6347, 4760}},
      // 1920 x 1080 is 12000 x 6750: the width left (6578) limits it.
      {"wide screen, limited by the width", {1920, 1080, 96, 96}, kA4Landscape600, PixelRect{236, 0, 236 + 6578, 3700}},
      {"portrait page", {1024, 768, 96, 96}, {4760, 6814, 600, 600}, PixelRect{236, 0, 236 + 4524, 3393}},
      {"tall thin window", {50, 4000, 96, 96}, kA4Landscape300, PixelRect{118, 0, 118 + 30, 2380}},
  };
  for (const auto& c : cases) {
    const auto place = PrintPlacement(c.picture, c.page);
    EXPECT_EQ(place, c.place) << c.what;
    if (!place) continue;
    EXPECT_LE(place->right, c.page.widthDots) << c.what;
    EXPECT_LE(place->bottom, c.page.heightDots) << c.what;
    // Proportions within a dot's rounding, in inches on the paper.
    const double pictureRatio = (static_cast<double>(c.picture.width) / c.picture.dpiX) /
                                (static_cast<double>(c.picture.height) / c.picture.dpiY);
    const double width = static_cast<double>(place->right - place->left) / c.page.dpiX;
    const double height = static_cast<double>(place->bottom - place->top) / c.page.dpiY;
    EXPECT_NEAR(width / height, pictureRatio, pictureRatio * 0.02 + 1.0 / (place->bottom - place->top)) << c.what;
  }
}

TEST(ScreenCaptureRules, NothingIsPlacedWithoutAPictureOrRoom) {
  EXPECT_EQ(PrintPlacement({0, 100, 96, 96}, kA4Landscape600), std::nullopt);
  EXPECT_EQ(PrintPlacement({100, 0, 96, 96}, kA4Landscape600), std::nullopt);
  EXPECT_EQ(PrintPlacement({100, 100, 0, 96}, kA4Landscape600), std::nullopt);
  EXPECT_EQ(PrintPlacement({100, 100, 96, 96}, {0, 0, 600, 600}), std::nullopt);
  EXPECT_EQ(PrintPlacement({100, 100, 96, 96}, {6814, 4760, 0, 600}), std::nullopt);
  // A page narrower than the left margin.
  EXPECT_EQ(PrintPlacement({100, 100, 96, 96}, {200, 4760, 600, 600}), std::nullopt);
}

TEST(CdDoor, CommandsOpenAndClose) {
  EXPECT_EQ(CdDoorCommand(true), "set cdaudio door open");
  EXPECT_EQ(CdDoorCommand(false), "set cdaudio door closed");
  EXPECT_EQ(kCdDoorErrorMessage, "ERROR です！");
}

}  // namespace
}  // namespace qb::test
