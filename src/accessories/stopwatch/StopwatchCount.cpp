#include "accessories/stopwatch/StopwatchCount.h"

#include <algorithm>
#include <cstdio>

namespace qb {

std::string StopwatchText(int64_t seconds) {
  seconds = std::max<int64_t>(seconds, 0);
  char text[32];
  std::snprintf(text, sizeof(text), "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

void StopwatchCount::Start(Clock::time_point now) {
  if (running_) return;
  startedAt_ = now;
  running_ = true;
}

void StopwatchCount::Stop(Clock::time_point now) {
  if (!running_) return;
  // A clock reading older than the start (never from a steady clock) adds nothing.
  before_ += std::max(now - startedAt_, Clock::duration::zero());
  running_ = false;
}

void StopwatchCount::Clear() noexcept {
  before_ = Clock::duration::zero();
  running_ = false;
}

StopwatchCount::Clock::duration StopwatchCount::Elapsed(Clock::time_point now) const {
  Clock::duration total = before_;
  if (running_) total += std::max(now - startedAt_, Clock::duration::zero());
  return total;
}

int64_t StopwatchCount::Seconds(Clock::time_point now) const {
  return std::chrono::duration_cast<std::chrono::seconds>(Elapsed(now)).count();
}

int MillisecondsToNextSecond(std::chrono::steady_clock::duration elapsed) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return 1000 - static_cast<int>(((ms % 1000) + 1000) % 1000);
}

}  // namespace qb
