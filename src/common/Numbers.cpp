#include "common/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "common/Text.h"

namespace qb {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape [sign] digits [. digits] [e [sign] digits] with at least one mantissa digit,
// so that from_chars (which would stop early and accept "12abc" as 12) only sees whole numbers.
bool IsDecimalNumber(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// Rough power of ten of an unsigned decimal number already checked by IsDecimalNumber; only its
// sign matters, to tell overflow from underflow.
long DecimalMagnitude(std::string_view s) {
  size_t i = 0;
  long intDigits = 0;
  long leadingFractionZeros = 0;
  bool seenNonZero = false;
  while (i < s.size() && IsDigit(s[i])) {
    if (s[i] != '0') seenNonZero = true;
    if (seenNonZero) ++intDigits;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      if (!seenNonZero && s[i] == '0') ++leadingFractionZeros;
      if (s[i] != '0') seenNonZero = true;
      ++i;
    }
  }
  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    while (i < s.size() && IsDigit(s[i])) {
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (negative) exponent = -exponent;
  }
  return intDigits > 0 ? intDigits - 1 + exponent : exponent - leadingFractionZeros - 1;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (!IsDecimalNumber(s)) return std::nullopt;
  bool negative = false;
  if (s.front() == '+' || s.front() == '-') {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  // from_chars leaves the value alone when out of range: overflow is not a number, while
  // underflow (a tiny fraction) is harmlessly 0.
  if (ec == std::errc::result_out_of_range) {
    if (DecimalMagnitude(s) > 0) return std::nullopt;
    value = 0;
  } else if (ec != std::errc() || end != s.data() + s.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

// min and max must be exactly representable as doubles (|x| <= 2^53), which every caller's are.
std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max) {
  const std::optional<double> number = ParseNumber(text);
  if (!number) return std::nullopt;
  const double rounded = RoundHalfEven(*number);
  // Compare as doubles before converting: a cast of an out-of-range double is undefined.
  if (rounded < static_cast<double>(min) || rounded > static_cast<double>(max)) return std::nullopt;
  return static_cast<int64_t>(rounded);
}

std::optional<int32_t> ParseInt32(std::string_view text) {
  const auto v = ParseInteger(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  if (!v) return std::nullopt;
  return static_cast<int32_t>(*v);
}

std::optional<int16_t> ParseInt16(std::string_view text) {
  const auto v = ParseInteger(text, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
  if (!v) return std::nullopt;
  return static_cast<int16_t>(*v);
}

std::string SingleText(double value) {
  const float single = static_cast<float>(value);
  if (!std::isfinite(single)) return "0";
  char buffer[32];
  if (single == std::trunc(single) && std::fabs(single) < 1e7f) {
    std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(single) + 0.0);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(single));
  }
  std::string text = buffer;
  if (text == "-0") text = "0";
  return text;
}

double TwipsPerPixel(int dpi) { return dpi > 0 ? kTwipsPerInch / dpi : 15.0; }

}  // namespace qb
