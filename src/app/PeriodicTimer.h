#pragma once
// The two background features of the main window, without the window: the automatic memory diet's
// period, and the mouse warp, which moves a pointer that touches an edge of the primary screen to
// just inside the opposite edge. Screen size and pointer position come in as arguments, so every
// edge can be tested without a screen.
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

// The automatic diet comes every DietTickLimit + 2 ticks of 10 ms (the period the stored seconds
// have always meant), as the period of a timer of its own: at most the longest timer the system
// has, 0x7FFFFFFF ms.
uint32_t DietTimerPeriodMs(int32_t dietTickLimit) noexcept;

}  // namespace qb
