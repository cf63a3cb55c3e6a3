#include "accessories/memory/DietPlan.h"

#include <algorithm>

#include "common/Numbers.h"

namespace qb {

int32_t DietMegabytes(std::string_view sizeText) {
  const auto number = ParseNumber(sizeText);
  if (!number) return kDietDefaultMegabytes;
  // Clamp before converting so that a huge number cannot overflow the conversion.
  const double clamped = std::clamp(RoundHalfEven(*number), double{kDietMinMegabytes}, double{kDietMaxMegabytes});
  return static_cast<int32_t>(clamped);
}

std::size_t DietBlockBytes(std::string_view sizeText) {
  return static_cast<std::size_t>(DietMegabytes(sizeText)) * 1024u * 1024u;
}

}  // namespace qb
