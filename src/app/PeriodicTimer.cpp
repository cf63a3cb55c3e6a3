#include "app/PeriodicTimer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace qb {

WarpMoves MouseWarpMoves(ScreenPoint pointer, ScreenSize screen) {
  WarpMoves result;
  const auto move = [&result](int32_t x, int32_t y) { result.moves[static_cast<std::size_t>(result.count++)] = {x, y}; };
  const int32_t w = screen.width;
  const int32_t h = screen.height;
  // Targets lie one pixel inside the opposite edge, so the next tick does not warp back unless
  // the user keeps pushing against that edge.
  if (pointer.y == 0) move(pointer.x, h - 2);
  if (pointer.y == h - 1) move(pointer.x, 1);
  if (pointer.x == 0) move(w - 2, pointer.y);
  if (pointer.x == w - 1) move(1, pointer.y);
  return result;
}

uint32_t DietTimerPeriodMs(int32_t dietTickLimit) noexcept {
  constexpr int64_t kLongestTimerMs = 0x7FFFFFFF;
  const int64_t ticks = std::max<int64_t>(dietTickLimit, 0) + 2;
  return static_cast<uint32_t>(std::min(ticks * 10, kLongestTimerMs));
}

}  // namespace qb
