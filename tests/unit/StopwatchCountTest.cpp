#include <gtest/gtest.h>

#include <chrono>

#include "accessories/stopwatch/StopwatchCount.h"

namespace {

using qb::StopwatchCount;
using namespace std::chrono_literals;

TEST(StopwatchText, HoursWithoutLeadingZeroAndNoWrapAtADay) {
  const struct {
    long long seconds;
    const char* text;
  } cases[] = {
      {0, "0:00:00"},       {1, "0:00:01"},         {59, "0:00:59"},        {60, "0:01:00"},
      {65, "0:01:05"},      {3599, "0:59:59"},      {3600, "1:00:00"},      {3725, "1:02:05"},
      {86399, "23:59:59"},  {86400, "24:00:00"},    {86401, "24:00:01"},    {360000, "100:00:00"},
      {2147483647LL, "596523:14:07"},  // past a signed 32-bit count of seconds
      {-5, "0:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::StopwatchText(c.seconds), c.text) << c.seconds;
}

TEST(StopwatchCount, FollowsTheClockAcrossRunsNotTheNumberOfReadings) {
  const StopwatchCount::Clock::time_point t0{};
  StopwatchCount count;
  EXPECT_FALSE(count.Running());
  EXPECT_EQ(count.Seconds(t0 + 10s), 0);

  count.Start(t0);
  EXPECT_TRUE(count.Running());
  // Asked late and rarely (a busy machine): still the real running time.
  EXPECT_EQ(count.Seconds(t0 + 65s + 400ms), 65);
  count.Stop(t0 + 65s + 400ms);
  EXPECT_FALSE(count.Running());
  // Stopped: time passing adds nothing.
  EXPECT_EQ(count.Seconds(t0 + 500s), 65);
  // A new start continues, the fractions of both runs adding up.
  count.Start(t0 + 500s);
  EXPECT_EQ(count.Seconds(t0 + 500s + 599ms), 65);
  EXPECT_EQ(count.Seconds(t0 + 500s + 600ms), 66);
  // Start while running and Stop while stopped change nothing.
  count.Start(t0 + 501s);
  EXPECT_EQ(count.Seconds(t0 + 502s), 67);
  count.Stop(t0 + 502s);
  count.Stop(t0 + 900s);
  EXPECT_EQ(count.Seconds(t0 + 900s), 67);
}

TEST(StopwatchCount, ClearStopsAtZeroWhetherRunningOrNot) {
  const StopwatchCount::Clock::time_point t0{};
  StopwatchCount count;
  count.Start(t0);
  count.Clear();
  EXPECT_FALSE(count.Running());
  EXPECT_EQ(count.Seconds(t0 + 30s), 0);
  count.Clear();
  EXPECT_EQ(count.Seconds(t0 + 30s), 0);
  count.Start(t0 + 30s);
  EXPECT_EQ(count.Seconds(t0 + 31s), 1);
}

TEST(StopwatchTick, AimsAtTheNextWholeSecond) {
  const struct {
    std::chrono::milliseconds elapsed;
    int toNext;
  } cases[] = {{0ms, 1000}, {1ms, 999}, {400ms, 600}, {999ms, 1}, {1000ms, 1000}, {65400ms, 600}};
  for (const auto& c : cases) EXPECT_EQ(qb::MillisecondsToNextSecond(c.elapsed), c.toNext) << c.elapsed.count();
}

}  // namespace
