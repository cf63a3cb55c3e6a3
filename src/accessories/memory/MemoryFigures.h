#pragma once
// The four figures of the memory status window, as whole percentages of use: the system's memory
// load, physical memory, the commit limit (page file) and this process's virtual address space.
// Byte counts are 64-bit: a 32-bit record caps every figure at 4 GB and makes the bars nonsense on
// any machine with more.
#include <array>
#include <cstdint>
#include <string>

namespace qb {

struct MemoryFigures {
  uint32_t memoryLoad = 0;  // percent, as the system reports it
  uint64_t totalPhysical = 0;
  uint64_t availablePhysical = 0;
  uint64_t totalPageFile = 0;
  uint64_t availablePageFile = 0;
  uint64_t totalVirtual = 0;
  uint64_t availableVirtual = 0;
};

// Memory load as delivered, then for each pair 100 − ⌊available ÷ total × 100⌋. Every percentage
// lies in 0..100: a total of 0 (a figure the system does not know) counts as nothing used, and
// more available than total as nothing used.
[[nodiscard]] std::array<int, 4> MemoryPercentages(const MemoryFigures& figures);

// "63%".
[[nodiscard]] std::string PercentText(int percent);

// The width of a bar `percent` of a track `trackWidth` wide, rounded to the nearest pixel.
[[nodiscard]] int BarWidth(int trackWidth, int percent);

}  // namespace qb
