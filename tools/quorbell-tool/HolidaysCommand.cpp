// holidays FROM_YEAR TO_YEAR: one line per holiday, "YYYY-MM-DD<TAB>name", in date order.
#include <charconv>
#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "calendar/Holidays.h"

namespace {

bool ParseYear(std::string_view text, int& year) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, year);
  return ec == std::errc() && ptr == end && year >= 100 && year <= 9999;
}

}  // namespace

int RunHolidaysCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  int fromYear = 0;
  int toYear = 0;
  if (args.size() != 2 || !ParseYear(args[0], fromYear) || !ParseYear(args[1], toYear) ||
      fromYear > toYear) {
    err << "usage: quorbell-tool holidays FROM_YEAR TO_YEAR (years 100 to 9999, FROM <= TO)\n";
    return kUsageError;
  }
  for (const qb::HolidayEntry& entry : qb::ListHolidays(fromYear, toYear)) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", entry.date.year, entry.date.month,
                  entry.date.day);
    out << date << '\t' << entry.name << '\n';
  }
  return 0;
}
