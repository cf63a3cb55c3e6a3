#pragma once
// The work of the main window's 10 ms timer, without the timer: the automatic memory diet counts
// ticks and asks for a diet process every DietTickLimit + 2 ticks; the mouse warp moves a pointer
// that touches an edge of the primary screen to just inside the opposite edge. Screen size and
// pointer position come in as arguments, so every edge can be tested without a screen.
#include <array>
#include <cstdint>

namespace qb {

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The pointer moves of one tick, in the order they are made. Each edge test looks at the position
// read at the start of the tick, so a corner gives two moves and the second one wins.
struct WarpMoves {
  std::array<ScreenPoint, 4> moves{};
  int count = 0;
};
WarpMoves MouseWarpMoves(ScreenPoint pointer, ScreenSize screen);

// Mouse warp is on only for the exact value 1.
inline bool MouseWarpOn(int16_t mouseWarpMode) { return mouseWarpMode == 1; }

// The timer costs a wake-up every 10 ms, so it runs only while one of its two features is on.
inline bool PeriodicTimerNeeded(bool autoDiet, int16_t mouseWarpMode) {
  return autoDiet || MouseWarpOn(mouseWarpMode);
}

class DietCounter {
public:
  // One tick of the automatic diet: true when the diet process is to start now, which also
  // starts the count again (whether or not the process then starts).
  bool Tick(int32_t dietTickLimit) noexcept;
  [[nodiscard]] int32_t DietTickCount() const noexcept { return count_; }

private:
  int32_t count_ = 0;
};

}  // namespace qb
