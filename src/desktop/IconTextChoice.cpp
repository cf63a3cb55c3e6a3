#include "desktop/IconTextChoice.h"

#include "common/Numbers.h"

namespace qb {

namespace {

// The colours a list view draws as such; other values with a high byte (CLR_DEFAULT among them)
// mean something else or nothing to it.
constexpr int32_t kLargestColour = 0xFFFFFF;

}  // namespace

uint32_t IconTextBackgroundFor(std::string_view check, std::string_view colour, uint32_t desktopColour) {
  if (ParseInt32(check).value_or(1) == 1) return kTransparentTextBackground;
  const auto value = ParseInt32(colour);
  if (!value) return desktopColour;
  if (*value == -1) return kTransparentTextBackground;
  if (*value < 0 || *value > kLargestColour) return desktopColour;
  return static_cast<uint32_t>(*value);
}

void IconTextRecord::RememberOriginal(uintptr_t list, uint32_t background) {
  list_ = list;
  original_ = background;
}

std::optional<uint32_t> IconTextRecord::TakeOriginalFor(uintptr_t list) {
  if (!original_ || list_ != list) return std::nullopt;
  const uint32_t background = *original_;
  original_.reset();
  return background;
}

IconTextRecord& TheIconTextRecord() {
  static IconTextRecord record;
  return record;
}

}  // namespace qb
