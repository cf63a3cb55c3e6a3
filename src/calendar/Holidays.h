#pragma once
// The Japanese national holidays of every period since 1873: a pure function of the date.
//
// Dates before 2007-01-01 follow the historical rule tables this calendar has always used
// (including the Monday-only substitute holiday and 国民の休日 on every 4 May from 1985), plus the
// four one-off national holidays 1959-04-10, 1989-02-24, 1990-11-12 and 1993-06-09. From
// 2007-01-01 the engine follows the holiday law as amended since: 昭和の日, みどりの日 on 4 May,
// substitute holidays on the nearest following non-holiday, the general citizens' holiday,
// 山の日, the moved 天皇誕生日, スポーツの日 and the one-off moves of 2019 to 2021.
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/CivilDate.h"

namespace qb {

// `dateText` is "yyyymmdd" (characters 1-4 year, 5-6 month, 7-8 day). Returns true and sets
// `name` to the holiday's name (or "振替休日"/"国民の休日") for a holiday; returns false and
// empties `name` otherwise. A text that does not make a date (parts that are not digits, a year
// outside 100..9999 after calendar carry) returns false and leaves `name` as it was. Out-of-range
// months and days carry like calendar arithmetic: "20040231" is 2 March 2004.
[[nodiscard]] bool CheckHoliday(const std::string& dateText, std::string& name);

// The "yyyymmdd" text that CheckHoliday takes.
std::string HolidayDateText(int year, int month, int day);

struct HolidayEntry {
  CivilDate date;
  std::string name;
};

// Every holiday from 1 January of `fromYear` to 31 December of `toYear`, in date order. Years are
// clamped to 100..9999.
std::vector<HolidayEntry> ListHolidays(int fromYear, int toYear);

// Day of the month of the vernal (March) and autumnal (September) equinox holiday in `year`.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);

// What the month rules look at: one date together with the equinox days of the year the driver
// was asked about.
struct HolidayDay {
  std::int64_t serial = 0;  // DaysFromCivil
  CivilDate date;
  Weekday weekday = Weekday::Thursday;
  int vernalEquinoxDay = 0;
  int autumnalEquinoxDay = 0;
};

HolidayDay MakeHolidayDay(std::int64_t serial, int vernalEquinoxDay, int autumnalEquinoxDay);

// One rule function per month. Each answers true and stores the holiday's name into `name` when
// the day is a national holiday of its own (never a substitute holiday or, from 2007, a citizens'
// holiday, which the driver derives); otherwise answers false and leaves `name` alone.
bool HolidayRuleJanuary(const HolidayDay& day, std::string& name);
bool HolidayRuleFebruary(const HolidayDay& day, std::string& name);
bool HolidayRuleMarch(const HolidayDay& day, std::string& name);
bool HolidayRuleApril(const HolidayDay& day, std::string& name);
bool HolidayRuleMay(const HolidayDay& day, std::string& name);
bool HolidayRuleJune(const HolidayDay& day, std::string& name);
bool HolidayRuleJuly(const HolidayDay& day, std::string& name);
bool HolidayRuleAugust(const HolidayDay& day, std::string& name);
bool HolidayRuleSeptember(const HolidayDay& day, std::string& name);
bool HolidayRuleOctober(const HolidayDay& day, std::string& name);
bool HolidayRuleNovember(const HolidayDay& day, std::string& name);
bool HolidayRuleDecember(const HolidayDay& day, std::string& name);

// Calls the rule function of the day's month.
bool DispatchHolidayRule(const HolidayDay& day, std::string& name);

}  // namespace qb
