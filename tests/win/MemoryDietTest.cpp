#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <vector>

#include "accessories/memory/MemoryDiet.h"

namespace {

TEST(MemoryDiet, EveryPassCommitsFillsAndDecommits) {
  EXPECT_EQ(qb::RunMemoryDietPasses(1024 * 1024, 5), 5);
}

TEST(MemoryDiet, AnImpossibleBlockSkipsThePassesQuietly) {
  EXPECT_EQ(qb::RunMemoryDietPasses(static_cast<std::size_t>(1) << 62, 5), 0);
}

TEST(MemoryDiet, FillWritesZeroIntoEveryByte) {
  std::vector<unsigned char> block(4099, 0xAB);
  qb::FillDietBlock(block.data(), block.size() - 1);
  for (size_t i = 0; i + 1 < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;
  EXPECT_EQ(block.back(), 0xAB);  // not one byte further
}

TEST(MemoryDiet, WorksOnAnUncachedBlock) {
  const size_t bytes = 64 * 1024;
  void* block = VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
  ASSERT_NE(block, nullptr);
  static_cast<unsigned char*>(block)[bytes - 1] = 7;
  qb::FillDietBlock(block, bytes);
  EXPECT_EQ(static_cast<unsigned char*>(block)[bytes - 1], 0);
  EXPECT_TRUE(VirtualFree(block, 0, MEM_RELEASE));
}

}  // namespace
