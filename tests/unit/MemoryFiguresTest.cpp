#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "accessories/memory/MemoryFigures.h"

namespace {

constexpr uint64_t GB = 1024ULL * 1024 * 1024;

TEST(MemoryPercentages, UsedShareOfEachFigureInWholePercent) {
  const struct {
    const char* what;
    qb::MemoryFigures figures;
    std::array<int, 4> percents;
  } cases[] = {
      {"40 % physical free is 60 % used", {37, 10 * GB, 4 * GB, 20 * GB, 15 * GB, 128 * GB, 127 * GB}, {37, 60, 25, 1}},
      // Above 4 GB every figure counts whole: no 32-bit cap.
      {"64 GB machine", {50, 64 * GB, 16 * GB, 80 * GB, 40 * GB, 131072 * GB, 131000 * GB}, {50, 75, 50, 1}},
      // 100 − ⌊free share⌋: a sliver of use shows as 1 %, a sliver free as 0 % left.
      {"floor of the free share", {0, 1000, 999, 1000, 1, 1000, 1000}, {0, 1, 100, 0}},
      {"all free and all used", {100, 8 * GB, 8 * GB, 8 * GB, 0, 8 * GB, 0}, {100, 0, 100, 100}},
      {"unknown totals count as unused", {0, 0, 0, 0, 5, 0, 0}, {0, 0, 0, 0}},
      {"more available than total", {0, 4 * GB, 5 * GB, 1, 2, 3, 3}, {0, 0, 0, 0}},
      {"a load above 100 is shown as 100", {250, 1, 0, 1, 0, 1, 0}, {100, 100, 100, 100}},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::MemoryPercentages(c.figures), c.percents) << c.what;
}

TEST(MemoryBars, WidthFollowsThePercentWithinTheTrack) {
  const struct {
    int track;
    int percent;
    int width;
  } cases[] = {{129, 0, 0}, {129, 100, 129}, {129, 60, 77}, {129, 50, 65}, {129, 1, 1},
               {200, 33, 66}, {129, -3, 0}, {129, 140, 129}, {0, 50, 0}};
  for (const auto& c : cases) EXPECT_EQ(qb::BarWidth(c.track, c.percent), c.width) << c.track << " " << c.percent;
}

TEST(MemoryBars, PercentText) {
  EXPECT_EQ(qb::PercentText(0), "0%");
  EXPECT_EQ(qb::PercentText(63), "63%");
  EXPECT_EQ(qb::PercentText(100), "100%");
}

}  // namespace
