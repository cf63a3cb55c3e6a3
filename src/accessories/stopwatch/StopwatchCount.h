#pragma once
// What the stopwatch counts and shows, apart from its window: running time measured on a
// monotonic clock, so that a busy machine delaying the window's timer does not slow the watch,
// and the text for a count of seconds.
#include <chrono>
#include <cstdint>
#include <string>

namespace qb {

// "H:MM:SS": hours without leading zero and without a 24-hour wrap ("24:00:01", "100:00:00"),
// minutes and seconds with two digits. Negative counts show as 0.
[[nodiscard]] std::string StopwatchText(int64_t seconds);

// Milliseconds from `elapsed` to its next whole second: 1000 on a whole second.
[[nodiscard]] int MillisecondsToNextSecond(std::chrono::steady_clock::duration elapsed);

// Running time summed over every run between Start and Stop. The caller passes the clock's
// readings, so the count follows real time however often or late it is asked.
class StopwatchCount {
public:
  using Clock = std::chrono::steady_clock;

  [[nodiscard]] bool Running() const noexcept { return running_; }
  // Starting a running watch or stopping a stopped one changes nothing.
  void Start(Clock::time_point now);
  void Stop(Clock::time_point now);
  // Back to 0 and stopped.
  void Clear() noexcept;
  // Running time up to `now`, and its whole seconds.
  [[nodiscard]] Clock::duration Elapsed(Clock::time_point now) const;
  [[nodiscard]] int64_t Seconds(Clock::time_point now) const;

private:
  Clock::duration before_{};  // the runs already stopped
  Clock::time_point startedAt_{};
  bool running_ = false;
};

}  // namespace qb
