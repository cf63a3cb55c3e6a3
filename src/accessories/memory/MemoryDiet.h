#pragma once
// The memory diet: commit a large block, write every byte, decommit it, five times. Run by the
// "Diet" helper process, so that the resident instance never carries the block itself.
#include <cstddef>

namespace qb {

// Reads MemDiet/Size and runs the passes.
void RunMemoryDiet();

// The passes over blocks of `bytes`; answers how many passes could commit their block.
int RunMemoryDietPasses(std::size_t bytes, int passes);

// Writes 0 into every byte; kept apart so that a benchmark can time it.
void FillDietBlock(void* block, std::size_t bytes) noexcept;

}  // namespace qb
