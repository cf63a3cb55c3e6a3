#include "settings_dialog/PickerRules.h"

#include <cstdlib>
#include <utility>

#include "common/Text.h"

namespace qb {

namespace {

// numerator / denominator (denominator > 0, numerator >= 0) to the nearest integer, an exact
// half going to the even neighbour. Integer arithmetic, so 10.5 is exactly a half.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  const std::int64_t twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator) return quotient + 1;
  if (twiceRemainder < denominator) return quotient;
  return quotient % 2 == 0 ? quotient : quotient + 1;
}

std::int32_t Clamp32(std::int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

constexpr std::int64_t kPointsPerInch = 72;

// Below 72 dpi a pixel would hold more than a point and the way back could lose sizes.
std::int64_t PickerDpi(int dpi) { return dpi >= 72 && dpi <= 4 * 96 ? dpi : 96; }

}  // namespace

std::int32_t PointsToCellHeight(std::int32_t points, int dpi) {
  // A negative size makes no sense here and is taken by its magnitude.
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(points));
  return Clamp32(RoundHalfEven(magnitude * PickerDpi(dpi), kPointsPerInch));
}

std::int32_t CellHeightToPoints(std::int32_t height, int dpi) {
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(height));
  return Clamp32(RoundHalfEven(magnitude * kPointsPerInch, PickerDpi(dpi)));
}

std::int32_t WeightOf(bool bold) { return bold ? kBoldWeight : kNormalWeight; }

bool IsBoldWeight(std::int32_t weight) { return weight != kNormalWeight; }

std::string FitFaceName(std::string_view name, std::size_t units) {
  std::string fitted;
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < name.size()) {
    const char32_t cp = DecodeUtf8(name, pos);
    const std::size_t width = cp > 0xFFFF ? 2 : 1;
    if (used + width > units) break;
    used += width;
    AppendUtf8(fitted, cp);
  }
  return fitted;
}

std::string OpenFileFilter(bool pictureMode) {
  using Pair = std::pair<std::string_view, std::string_view>;
  // The half-width katakana in "ﾌｧｲﾙ" are what the program has always shown; kept as they were.
  static constexpr Pair kExecutables[] = {
      {"実行可能ファイル (*.exe)", "*.exe"},
      {"全てのﾌｧｲﾙ (*.*)", "*.*"},
  };
  static constexpr Pair kPictures[] = {
      {"画像ファイル (*.bmp)", "*.bmp"},
      {"JPEGﾌｧｲﾙ (*.jpg)", "*.jpg"},
      {"GIFﾌｧｲﾙ (*.gif)", "*.gif"},
      {"全てのﾌｧｲﾙ (*.*)", "*.*"},
  };
  std::string filter;
  auto append = [&filter](const auto& pairs) {
    for (const auto& [description, pattern] : pairs) {
      filter.append(description);
      filter.push_back('\0');
      filter.append(pattern);
      filter.push_back('\0');
    }
  };
  if (pictureMode) {
    append(kPictures);
  } else {
    append(kExecutables);
  }
  filter.push_back('\0');
  return filter;
}

}  // namespace qb
