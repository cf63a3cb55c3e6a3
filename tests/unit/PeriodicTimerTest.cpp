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

TEST(PeriodicTimerNeeded, WhileTheDietOrTheWarpIsOn) {
  EXPECT_FALSE(qb::PeriodicTimerNeeded(false, 0));
  EXPECT_FALSE(qb::PeriodicTimerNeeded(false, 2));
  EXPECT_TRUE(qb::PeriodicTimerNeeded(false, 1));
  EXPECT_TRUE(qb::PeriodicTimerNeeded(true, 0));
  EXPECT_TRUE(qb::PeriodicTimerNeeded(true, 1));
}

// The ticks (1-based) on which a diet starts among the first `ticks`.
std::vector<int> DietTicks(int32_t limit, int ticks) {
  qb::DietCounter counter;
  std::vector<int> starts;
  for (int t = 1; t <= ticks; ++t)
    if (counter.Tick(limit)) starts.push_back(t);
  return starts;
}

TEST(DietCounter, StartsADietEveryLimitPlusTwoTicks) {
  EXPECT_EQ(DietTicks(0, 8), (std::vector<int>{2, 4, 6, 8}));  // MemDiet/Sec "0": every second tick
  EXPECT_EQ(DietTicks(1, 9), (std::vector<int>{3, 6, 9}));
  EXPECT_EQ(DietTicks(100, 310), (std::vector<int>{102, 204, 306}));
}

TEST(DietCounter, DefaultPeriodIsSixtyThousandAndTwoTicks) {
  qb::DietCounter counter;
  int first = 0;
  for (int t = 1; t <= 60010 && first == 0; ++t)
    if (counter.Tick(60000)) first = t;
  EXPECT_EQ(first, 60002);
  EXPECT_EQ(counter.DietTickCount(), 0);
}

TEST(DietCounter, CountsUpToOneAboveTheLimitThenRestarts) {
  qb::DietCounter counter;
  EXPECT_EQ(counter.DietTickCount(), 0);
  EXPECT_FALSE(counter.Tick(2));
  EXPECT_FALSE(counter.Tick(2));
  EXPECT_FALSE(counter.Tick(2));
  EXPECT_EQ(counter.DietTickCount(), 3);
  EXPECT_TRUE(counter.Tick(2));
  EXPECT_EQ(counter.DietTickCount(), 0);
}

}  // namespace
