#include "accessories/memory/MemoryFigures.h"

#include <algorithm>
#include <cmath>

namespace qb {

namespace {

int UsedPercent(uint64_t available, uint64_t total) {
  if (total == 0 || available >= total) return 0;
  const double freeShare = static_cast<double>(available) / static_cast<double>(total) * 100.0;
  return std::clamp(100 - static_cast<int>(std::floor(freeShare)), 0, 100);
}

}  // namespace

std::array<int, 4> MemoryPercentages(const MemoryFigures& f) {
  return {static_cast<int>(std::min<uint32_t>(f.memoryLoad, 100)), UsedPercent(f.availablePhysical, f.totalPhysical),
          UsedPercent(f.availablePageFile, f.totalPageFile), UsedPercent(f.availableVirtual, f.totalVirtual)};
}

std::string PercentText(int percent) { return std::to_string(percent) + "%"; }

int BarWidth(int trackWidth, int percent) {
  return static_cast<int>(std::lround(static_cast<double>(trackWidth) * std::clamp(percent, 0, 100) / 100.0));
}

}  // namespace qb
