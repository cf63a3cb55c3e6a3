// The holiday driver: parses the date text, asks the month's rule and derives the substitute
// holiday and, from 2007, the citizens' holiday.
#include "calendar/Holidays.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace qb {
namespace {

constexpr std::int64_t kLawOf2007 = DaysFromCivil(2007, 1, 1);
// The date range a date text may reach (the same as the classic date type's).
constexpr std::int64_t kFirstDay = DaysFromCivil(100, 1, 1);
constexpr std::int64_t kLastDay = DaysFromCivil(9999, 12, 31);

constexpr const char kSubstitute[] = "振替休日";
constexpr const char kCitizens[] = "国民の休日";

std::optional<int> ParseDigits(const std::string& text, std::size_t pos, std::size_t count) {
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

int EquinoxDay(int year, double constant) {
  const double base = (year - 1980) * 0.242194 + constant;
  // The quarter must round toward negative infinity: truncation moves every equinox before 1980
  // that is not in a multiple-of-four year by one day.
  const auto quarter = static_cast<double>(FloorDiv(year - 1980, 4));
  return static_cast<std::int16_t>(std::floor(base - quarter));
}

enum class Status { None, Holiday, Substitute, Citizens };

// The calendar as it was drawn before 2007: only the Monday right after a Sunday holiday can be
// a substitute holiday, and only if it is no holiday of its own.
Status ClassicStatus(const HolidayDay& day, std::string& name) {
  if (DispatchHolidayRule(day, name)) return Status::Holiday;
  if (day.weekday == Weekday::Monday) {
    std::string sundayName;
    const HolidayDay sunday =
        MakeHolidayDay(day.serial - 1, day.vernalEquinoxDay, day.autumnalEquinoxDay);
    if (DispatchHolidayRule(sunday, sundayName)) return Status::Substitute;
  }
  return Status::None;
}

bool IsNationalHoliday(std::int64_t serial, const HolidayDay& like) {
  std::string ignored;
  return DispatchHolidayRule(MakeHolidayDay(serial, like.vernalEquinoxDay, like.autumnalEquinoxDay),
                             ignored);
}

// The law since 2007: a Sunday holiday moves to the nearest following day that is not a holiday
// of its own, and a plain day between two national holidays is a day off too.
Status LawStatus(const HolidayDay& day, std::string& name) {
  if (DispatchHolidayRule(day, name)) return Status::Holiday;
  // Runs of consecutive holidays last a few days; the bound only keeps the walk finite.
  for (std::int64_t s = day.serial - 1; s > day.serial - 15 && IsNationalHoliday(s, day); --s) {
    if (WeekdayOf(s) == Weekday::Sunday) return Status::Substitute;
  }
  if (IsNationalHoliday(day.serial - 1, day) && IsNationalHoliday(day.serial + 1, day)) {
    return Status::Citizens;
  }
  return Status::None;
}

}  // namespace

int VernalEquinoxDay(int year) { return EquinoxDay(year, 20.8431); }
int AutumnalEquinoxDay(int year) { return EquinoxDay(year, 23.2488); }

HolidayDay MakeHolidayDay(std::int64_t serial, int vernalEquinoxDay, int autumnalEquinoxDay) {
  HolidayDay day;
  day.serial = serial;
  day.date = CivilFromDays(serial);
  day.weekday = WeekdayOf(serial);
  day.vernalEquinoxDay = vernalEquinoxDay;
  day.autumnalEquinoxDay = autumnalEquinoxDay;
  return day;
}

std::string HolidayDateText(int year, int month, int day) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", year, month, day);
  return buf;
}

std::vector<HolidayEntry> ListHolidays(int fromYear, int toYear) {
  std::vector<HolidayEntry> entries;
  fromYear = std::max(fromYear, 100);
  toYear = std::min(toYear, 9999);
  if (fromYear > toYear) return entries;
  const std::int64_t last = DaysFromCivil(toYear, 12, 31);
  for (std::int64_t d = DaysFromCivil(fromYear, 1, 1); d <= last; ++d) {
    const CivilDate date = CivilFromDays(d);
    std::string name;
    if (CheckHoliday(HolidayDateText(date.year, date.month, date.day), name)) {
      entries.push_back(HolidayEntry{date, std::move(name)});
    }
  }
  return entries;
}

bool CheckHoliday(const std::string& dateText, std::string& name) {
  if (dateText.size() < 8) return false;
  const auto year = ParseDigits(dateText, 0, 4);
  const auto month = ParseDigits(dateText, 4, 2);
  const auto dayOfMonth = ParseDigits(dateText, 6, 2);
  if (!year || !month || !dayOfMonth) return false;
  const std::int64_t serial = DaysFromParts(*year, *month, *dayOfMonth);
  if (serial < kFirstDay || serial > kLastDay) return false;

  // The equinox days belong to the year written in the text, also when the month carries over.
  const HolidayDay day = MakeHolidayDay(serial, VernalEquinoxDay(*year), AutumnalEquinoxDay(*year));
  std::string local;
  const Status status = serial < kLawOf2007 ? ClassicStatus(day, local) : LawStatus(day, local);
  switch (status) {
    case Status::Holiday: name = local; return true;
    case Status::Substitute: name = kSubstitute; return true;
    case Status::Citizens: name = kCitizens; return true;
    case Status::None: break;
  }
  name.clear();
  return false;
}

}  // namespace qb
