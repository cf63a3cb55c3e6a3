#pragma once
// How much memory one diet touches, decided from the MemDiet/Size setting.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qb {

inline constexpr int kDietPasses = 5;
inline constexpr int32_t kDietDefaultMegabytes = 32;
// At least one megabyte; at most a gigabyte, which any 64-bit system can commit and which keeps
// one pass of a diet process short.
inline constexpr int32_t kDietMinMegabytes = 1;
inline constexpr int32_t kDietMaxMegabytes = 1024;

// The size text in megabytes (rounded like every integer setting), clamped to the range above;
// text that is not a number gives the default of 32.
int32_t DietMegabytes(std::string_view sizeText);
std::size_t DietBlockBytes(std::string_view sizeText);

}  // namespace qb
