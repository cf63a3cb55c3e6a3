// The calendar window's drawing on the recording canvas: one month with its 42 holiday checks
// and 31 note lookups in real files, and CheckHoliday over every day from 1873 to 2100. Prints
// figures only.
//   bench-MonthRenderBench [rounds=2000]
#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "calendar/DayNotes.h"
#include "calendar/Holidays.h"
#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"
#include "common/FileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double MicrosPer(Clock::time_point from, Clock::time_point to, long count) {
  return std::chrono::duration<double, std::micro>(to - from).count() / static_cast<double>(count);
}

}  // namespace

int main(int argc, char** argv) {
  const long rounds = argc > 1 ? std::max(1L, std::strtol(argv[1], nullptr, 10)) : 2000;

  // A note folder with notes on every third day of August 2004; the other days miss.
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qb-bench-month-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const qb::DayNoteFolder folder{&qb::SystemFileSystem(), dir.string()};
  for (int day = 1; day <= 31; day += 3) {
    qb::WriteDayNote(folder, qb::DayNoteTitle(2004, 8, day), "memo@@line two");
  }

  qb::MonthDrawInputs withNotes;
  withNotes.today = {2004, 8, 6};
  int lookups = 0;
  withNotes.readNote = [&](std::string_view title, std::string& text) {
    ++lookups;
    return qb::ReadDayNote(folder, title, text);
  };
  qb::MonthDrawInputs withoutNotes = withNotes;
  withoutNotes.readNote = {};

  auto timeDrawing = [&](const qb::MonthDrawInputs& inputs) {
    qb::RecordingCanvas canvas;
    qb::CalendarMonthState state;
    const auto start = Clock::now();
    for (long i = 0; i < rounds; ++i) {
      canvas.Clear();
      std::int16_t x = 0;
      std::int16_t y = 0;
      qb::DrawCalendarMonth(canvas, x, y, 0, inputs, state);
    }
    return MicrosPer(start, Clock::now(), rounds);
  };
  const double notesUs = timeDrawing(withNotes);
  const long lookupsPerDrawing = lookups / rounds;
  const double plainUs = timeDrawing(withoutNotes);
  std::printf("DrawCalendarMonth, 42 holiday checks, %ld note lookups: %8.1f us per drawing\n",
              lookupsPerDrawing, notesUs);
  std::printf("DrawCalendarMonth, 42 holiday checks, no notes:        %8.1f us per drawing\n", plainUs);
  std::printf("  note lookups' share: %.0f %%\n", notesUs > 0 ? 100.0 * (notesUs - plainUs) / notesUs : 0.0);

  const std::int64_t first = qb::DaysFromCivil(1873, 1, 1);
  const std::int64_t last = qb::DaysFromCivil(2100, 12, 31);
  long holidays = 0;
  std::string name;
  const auto start = Clock::now();
  for (std::int64_t d = first; d <= last; ++d) {
    const qb::CivilDate date = qb::CivilFromDays(d);
    holidays += qb::CheckHoliday(qb::HolidayDateText(date.year, date.month, date.day), name) ? 1 : 0;
  }
  const auto end = Clock::now();
  const long days = static_cast<long>(last - first + 1);
  std::printf("CheckHoliday 1873-2100: %ld days, %ld holidays, %.3f s, %.2f us per day\n", days,
              holidays, std::chrono::duration<double>(end - start).count(), MicrosPer(start, end, days));

  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return 0;
}
