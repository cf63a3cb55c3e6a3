#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/PeriodicTimer.h"

namespace {

using qb::ScreenPoint;

std::vector<ScreenPoint> Moves(ScreenPoint p, qb::ScreenSize s) {
  const qb::WarpMoves w = qb::MouseWarpMoves(p, s);
  return {w.moves.begin(), w.moves.begin() + w.count};
}

TEST(MouseWarp, EdgesAndCornersOfA1024By768Screen) {
  const qb::ScreenSize screen{1024, 768};
  const struct {
    ScreenPoint pointer;
    std::vector<ScreenPoint> moves;
  } cases[] = {
      {{500, 0}, {{500, 766}}},    // top -> one inside the bottom
      {{500, 767}, {{500, 1}}},    // bottom -> one inside the top
      {{0, 300}, {{1022, 300}}},   // left -> one inside the right
      {{1023, 300}, {{1, 300}}},   // right -> one inside the left
      // Corners: both tests look at the position read at the start; the later move wins.
      {{0, 0}, {{0, 766}, {1022, 0}}},
      {{1023, 0}, {{1023, 766}, {1, 0}}},
      {{0, 767}, {{0, 1}, {1022, 767}}},
      {{1023, 767}, {{1023, 1}, {1, 767}}},
      // One pixel inside an edge, and the warp targets themselves: nothing moves.
      {{1, 1}, {}},
      {{1022, 766}, {}},
      {{500, 1}, {}},
      {{500, 766}, {}},
      {{512, 384}, {}},
      // Off the primary screen (another monitor): nothing moves.
      {{-1, 300}, {}},
      {{1024, 300}, {}},
      {{500, -5}, {}},
      {{500, 768}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Moves(c.pointer, screen), c.moves) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(MouseWarp, ACornerReachesTheOppositeCornerOnTheNextTick) {
  const qb::ScreenSize screen{1024, 768};
  const auto first = Moves({0, 0}, screen);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.back(), (ScreenPoint{1022, 0}));
  const auto second = Moves(first.back(), screen);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second.back(), (ScreenPoint{1022, 766}));
}

TEST(MouseWarp, FollowsTheScreenSize) {
  EXPECT_EQ(Moves({1919, 10}, {1920, 1080}), (std::vector<ScreenPoint>{{1, 10}}));
  EXPECT_EQ(Moves({10, 1079}, {1920, 1080}), (std::vector<ScreenPoint>{{10, 1}}));
  EXPECT_EQ(Moves({1023, 10}, {1920, 1080}), (std::vector<ScreenPoint>{}));
}

TEST(MouseWarpOn, OnlyTheValueOne) {
  EXPECT_TRUE(qb::MouseWarpOn(1));
  for (int16_t mode : {0, 2, -1, 32767}) EXPECT_FALSE(qb::MouseWarpOn(mode)) << mode;
}

TEST(DietTimerPeriodMs, LimitPlusTwoTicksOfTenMillisecondsAtMostTheLongestTimer) {
  const struct {
    int32_t limit;
    uint32_t period;
  } cases[] = {
      {0, 20},                    // MemDiet/Sec "0": every second tick
      {1, 30},
      {100, 1020},                // one second
      {60000, 600020},            // the default ten minutes
      {-5, 20},                   // never below two ticks
      {214748360, 2147483620u},   // still within the longest timer
      {2147483600, 0x7FFFFFFFu},  // the largest stored limit is held to the longest timer
  };
  for (const auto& c : cases) EXPECT_EQ(qb::DietTimerPeriodMs(c.limit), c.period) << c.limit;
}

}  // namespace
