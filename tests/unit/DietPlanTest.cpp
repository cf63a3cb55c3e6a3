#include <gtest/gtest.h>

#include <cstddef>

#include "accessories/memory/DietPlan.h"

namespace {

TEST(DietBlockBytes, FollowsTheSizeSettingWithinSaneLimits) {
  constexpr std::size_t MB = 1024 * 1024;
  const struct {
    const char* size;
    std::size_t bytes;
  } cases[] = {
      {"32", 32 * MB},  // the default: 33554432 bytes
      {"1", 1 * MB},
      {" 64 ", 64 * MB},
      {"1.0", 1 * MB},
      {"2.5", 2 * MB},  // rounded half to even like every integer setting
      {"1024", 1024 * MB},
      // Sizes no commit can or should satisfy are clamped, not passed on.
      {"0", 1 * MB},
      {"-5", 1 * MB},
      {"2048", 1024 * MB},
      {"99999999999", 1024 * MB},
      {"1e300", 1024 * MB},
      // Not a number: the default.
      {"", 32 * MB},
      {"abc", 32 * MB},
      {"12MB", 32 * MB},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::DietBlockBytes(c.size), c.bytes) << c.size;
}

}  // namespace
