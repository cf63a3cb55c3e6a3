// Fill rate of the memory diet: zeroing an uncached (PAGE_NOCACHE) block, as the diet does, next
// to memset on an ordinary block of the same size. Prints figures only.
//   bench-MemoryDietBench.exe [megabytes=32] [rounds=5]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "accessories/memory/MemoryDiet.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// Commits a fresh block with the given protection and times `passes` fills of it: the first fill
// includes the page faults of a newly committed block (what a diet pass pays), later ones do not.
struct Timing {
  double firstMBs = 0;
  double warmMBs = 0;
};

template <class Fill>
Timing TimeFill(size_t bytes, DWORD protection, Fill fill) {
  Timing t;
  void* block = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, protection);
  if (block == nullptr) return t;
  const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
  LARGE_INTEGER a, b, c;
  QueryPerformanceCounter(&a);
  fill(block, bytes);
  QueryPerformanceCounter(&b);
  fill(block, bytes);
  QueryPerformanceCounter(&c);
  t.firstMBs = mb / Seconds(a, b);
  t.warmMBs = mb / Seconds(b, c);
  VirtualFree(block, 0, MEM_RELEASE);
  return t;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int megabytes = argc > 1 ? std::max(1, _wtoi(argv[1])) : 32;
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  const size_t bytes = static_cast<size_t>(megabytes) * 1024 * 1024;

  std::vector<double> nocacheFirst, nocacheWarm, plainFirst, plainWarm;
  for (int r = 0; r < rounds; ++r) {
    const Timing n = TimeFill(bytes, PAGE_READWRITE | PAGE_NOCACHE, qb::FillDietBlock);
    const Timing p = TimeFill(bytes, PAGE_READWRITE, [](void* b, size_t n) { std::memset(b, 0, n); });
    nocacheFirst.push_back(n.firstMBs);
    nocacheWarm.push_back(n.warmMBs);
    plainFirst.push_back(p.firstMBs);
    plainWarm.push_back(p.warmMBs);
  }

  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  const int committed = qb::RunMemoryDietPasses(bytes, 5);
  QueryPerformanceCounter(&b);

  std::printf("memory diet fill, block %d MB, median of %d rounds (MB/s)\n", megabytes, rounds);
  std::printf("  %-28s %12s %12s\n", "", "fresh block", "second fill");
  std::printf("  %-28s %12.0f %12.0f\n", "diet fill, PAGE_NOCACHE", Median(nocacheFirst), Median(nocacheWarm));
  std::printf("  %-28s %12.0f %12.0f\n", "memset, ordinary block", Median(plainFirst), Median(plainWarm));
  std::printf("  %-28s %12.2f %12.2f\n", "ratio nocache / ordinary", Median(nocacheFirst) / Median(plainFirst),
              Median(nocacheWarm) / Median(plainWarm));
  std::printf("whole diet (5 passes, %d committed): %.3f s\n", committed, Seconds(a, b));
  return 0;
}
