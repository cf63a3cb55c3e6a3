#pragma once
// Proleptic Gregorian dates as day numbers, so that ranges, neighbours and weekdays are plain
// integer arithmetic.
#include <cstdint>

namespace qb {

struct CivilDate {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

enum class Weekday { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// Days since 1970-01-01 (negative before it). Month and day must be in range.
constexpr std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;  // March = 0
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr std::int64_t DaysFromCivil(const CivilDate& date) {
  return DaysFromCivil(date.year, date.month, date.day);
}

constexpr CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return CivilDate{year, month, day};
}

constexpr Weekday WeekdayOf(std::int64_t days) {
  // 1970-01-01 was a Thursday.
  const std::int64_t w = (days % 7 + 7 + 4) % 7;
  return static_cast<Weekday>(w);
}

// Division that rounds toward negative infinity (C++ '/' truncates toward zero).
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// A date from parts with ordinary calendar carry: month 13 is January of the next year, day 0 the
// last day of the previous month, day 32 runs into the next month.
constexpr std::int64_t DaysFromParts(int year, int month, int day) {
  const std::int64_t m0 = static_cast<std::int64_t>(month) - 1;
  const std::int64_t y = year + FloorDiv(m0, 12);
  const int m = static_cast<int>(m0 - FloorDiv(m0, 12) * 12) + 1;
  return DaysFromCivil(static_cast<int>(y), m, 1) + (static_cast<std::int64_t>(day) - 1);
}

}  // namespace qb
