#pragma once
// Shared helpers of the holiday tests.
#include <gtest/gtest.h>

#include <string>

#include "calendar/Holidays.h"

namespace qb::test {

struct DayCase {
  const char* date;  // yyyymmdd
  const char* name;  // "" for no holiday
};

inline void PrintTo(const DayCase& c, std::ostream* os) { *os << c.date; }

// Asks the engine about one date and checks that the flag agrees with the name.
inline std::string HolidayAt(const std::string& dateText) {
  std::string name = "(untouched)";
  const bool holiday = CheckHoliday(dateText, name);
  EXPECT_EQ(holiday, !name.empty()) << dateText << " answered " << holiday << " with '" << name << "'";
  return name;
}

inline void ExpectDays(std::initializer_list<DayCase> cases) {
  for (const DayCase& c : cases) {
    EXPECT_EQ(HolidayAt(c.date), c.name) << "on " << c.date;
  }
}

}  // namespace qb::test
