// draw-month YEAR MONTH TODAY SIZE: the calendar window's drawing of the month that contains
// YEAR-MONTH-TODAY (TODAY counting as today), font size SIZE, origin (0, 0), default colours and
// no notes, as one line per text: x, y, colour, size, bold, italic, text, tab-separated.
#include <charconv>
#include <string_view>

#include "Commands.h"
#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"

namespace {

bool ParseInt(std::string_view text, int min, int max, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= min && value <= max;
}

int DaysInMonth(int year, int month) {
  return static_cast<int>(qb::DaysFromParts(year, month + 1, 1) - qb::DaysFromParts(year, month, 1));
}

}  // namespace

int RunDrawMonthCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  int year = 0;
  int month = 0;
  int today = 0;
  int size = 0;
  if (args.size() != 4 || !ParseInt(args[0], 100, 9999, year) || !ParseInt(args[1], 1, 12, month) ||
      !ParseInt(args[2], 1, 31, today) || today > DaysInMonth(year, month) ||
      !ParseInt(args[3], -32768, 32767, size)) {
    err << "usage: quorbell-tool draw-month YEAR MONTH TODAY SIZE (year 100 to 9999, a day of "
           "that month, size -32768 to 32767)\n";
    return kUsageError;
  }
  qb::MonthDrawInputs inputs;
  inputs.today = qb::CivilDate{year, month, today};
  inputs.font.size = static_cast<std::int16_t>(size);
  qb::RecordingCanvas canvas;
  qb::CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
  qb::DrawCalendarMonth(canvas, x, y, 0, inputs, state);
  for (const qb::RecordedOp& op : canvas.texts()) {
    out << op.x << '\t' << op.y << '\t' << op.colour << '\t' << qb::FormatPointSize(op.font.size)
        << '\t' << (op.font.bold ? 1 : 0) << '\t' << (op.font.italic ? 1 : 0) << '\t' << op.text
        << '\n';
  }
  return 0;
}
