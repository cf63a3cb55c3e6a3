#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "hotkeys/ToolState.h"

namespace {

using qb::PixelPoint;
using qb::PixelRect;

uint8_t Repeat(uint8_t level, int times, uint8_t (*step)(uint8_t)) {
  for (int i = 0; i < times; ++i) level = step(level);
  return level;
}

TEST(AlphaSteps, MoveByFifteenAndStopAtBothEnds) {
  const struct {
    const char* what;
    uint8_t start;
    int presses;
    bool up;
    uint8_t expected;
  } cases[] = {
      {"one step down from opaque", 255, 1, false, 240},
      {"one step back up", 240, 1, true, 255},
      {"twenty presses up from opaque", 255, 20, true, 255},
      {"seventeen presses down reach fully transparent", 255, 17, false, 0},
      {"further presses keep fully transparent", 255, 30, false, 0},
      {"up from fully transparent", 0, 1, true, 15},
      {"seventeen up from zero reach opaque", 0, 17, true, 255},
      // Levels off the 15 grid are not produced by the hotkeys; they still never wrap around.
      {"near the top", 250, 1, true, 255},
      {"near the bottom", 5, 1, false, 0},
      {"one below opaque", 254, 1, true, 255},
      {"one above transparent", 1, 1, false, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Repeat(c.start, c.presses, c.up ? qb::AlphaLevelUp : qb::AlphaLevelDown), c.expected) << c.what;
  }
}

TEST(ShadeToggle, RollsUpToTheTitleBarThenRemovesTheRegion) {
  const struct {
    const char* what;
    int right;
    bool xp;
    PixelRect rolledUp;
  } cases[] = {
      {"window at x 100 to 900 keeps its whole title bar", 900, false, {0, 0, 900, 23}},
      {"XP captions are taller", 900, true, {0, 0, 900, 30}},
      {"window at the screen's left edge", 640, false, {0, 0, 640, 23}},
      {"window pushed off the left edge", -20, false, {0, 0, -20, 23}},
  };
  for (const auto& c : cases) {
    bool active = false;
    EXPECT_EQ(qb::NextShadeRegion(active, c.right, c.xp, 96), std::optional<PixelRect>(c.rolledUp)) << c.what;
    EXPECT_TRUE(active) << c.what;
    EXPECT_EQ(qb::NextShadeRegion(active, c.right, c.xp, 96), std::nullopt) << c.what;
    EXPECT_FALSE(active) << c.what;
  }
}

TEST(ShadeToggle, TheTitleBarKeptIsAsTallAsAtTheDpiTheWindowStandsAt) {
  const struct {
    int dpi;
    bool xp;
    int height;
  } cases[] = {
      {96, false, 23}, {120, false, 29}, {144, false, 35}, {192, false, 46},  // 28.75 and 34.5 rounded
      {144, true, 45}, {192, true, 60},  {0, false, 23},                      // a window that does not say: 96
  };
  for (const auto& c : cases) {
    bool active = false;
    EXPECT_EQ(qb::NextShadeRegion(active, 700, c.xp, c.dpi), std::optional<PixelRect>(PixelRect{0, 0, 700, c.height}))
        << c.dpi << (c.xp ? " xp" : "");
  }
}

TEST(ShadeToggle, TheFlagIsSharedSoASecondWindowGetsTheOppositeStep) {
  bool active = false;
  ASSERT_TRUE(qb::NextShadeRegion(active, 900, false, 96).has_value());  // window A rolled up
  // The same hotkey on window B (another right edge) rolls back instead of rolling up.
  EXPECT_EQ(qb::NextShadeRegion(active, 500, false, 96), std::nullopt);
  EXPECT_EQ(qb::NextShadeRegion(active, 500, false, 96), std::optional<PixelRect>(PixelRect{0, 0, 500, 23}));
}

TEST(WheelClicks, TurnTowardsTheUserClicksTheLowerArrow) {
  const struct {
    const char* what;
    uint64_t wParam;
    int y;
  } cases[] = {
      {"one notch down", 0xFF880000u, 90},             // delta -120
      {"one notch down with Ctrl held", 0xFF880008u, 90},
      {"one notch up", 0x00780000u, 10},               // delta +120
      {"three notches up", 0x01680000u, 10},
      {"no delta at all", 0, 90},
      {"no delta, a button held", 0x00000010u, 10},   // positive as a number: upper arrow
      {"64-bit wParam sign-extended", 0xFFFFFFFFFF880000ull, 90},
      {"64-bit wParam with a stray high half", 0x1234567800780000ull, 10},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::WheelClickY(100, c.wParam), c.y) << c.what;
  // A bar shorter than the inset still gets the arithmetic's answer.
  EXPECT_EQ(qb::WheelClickY(6, 0xFF880000u), -4);
}

TEST(WheelClicks, PointPackedAsYTimes65536PlusX) {
  const struct {
    int x, y;
    int32_t lParam;
  } cases[] = {
      {0, 10, 10 * 65536},
      {0, 90, 90 * 65536},
      {0, 0, 0},
      {5, 7, 7 * 65536 + 5},
      {0, -4, static_cast<int32_t>(0xFFFC0000u)},
      {0, 32767, 32767 * 65536},
      {0, 40000, static_cast<int32_t>(40000u << 16)},  // beyond 16 bits: wraps like the system's packing
  };
  for (const auto& c : cases) EXPECT_EQ(qb::PackClickPoint(c.x, c.y), c.lParam) << c.x << "," << c.y;
}

TEST(WheelWindowGeometry, InnerAreaIs390TwipsSquare) {
  const struct {
    int dpi, pixels;
  } cases[] = {{96, 26}, {120, 33}, {144, 39}, {192, 52}, {72, 20}, {0, 26}, {-5, 26}};
  for (const auto& c : cases) EXPECT_EQ(qb::WheelWindowClientPixels(c.dpi), c.pixels) << c.dpi;
}

TEST(WheelWindowGeometry, RightEdgeOnTheScreenEdgeTopTwoHeightsAboveTheBottom) {
  EXPECT_EQ(qb::WheelWindowPlace(1024, 768, 32, 48), (PixelPoint{992, 672}));
  EXPECT_EQ(qb::WheelWindowPlace(1920, 1080, 26, 26), (PixelPoint{1894, 1028}));
  // A screen smaller than the window: the place still follows the rule, off screen if need be.
  EXPECT_EQ(qb::WheelWindowPlace(20, 30, 32, 48), (PixelPoint{-12, -66}));
}

}  // namespace
