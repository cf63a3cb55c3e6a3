// The month layouts of the calendar window and of the wallpaper calendar.
#include "calendar/MonthRender.h"

#include <cstdio>
#include <limits>

#include "calendar/DayNotes.h"
#include "calendar/Holidays.h"

namespace qb {
namespace {

constexpr const char* kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int DaysInMonth(int year, int month) {
  return static_cast<int>(DaysFromParts(year, month + 1, 1) - DaysFromParts(year, month, 1));
}

// round(base + tenths / 10 x size), halves to the even neighbour, in exact integer arithmetic:
// 1.15 x 10 must be 11.5 and not a binary fraction a hair below it.
std::int64_t RoundScaled(std::int64_t base, std::int64_t hundredths, std::int64_t size) {
  const std::int64_t n = base * 100 + hundredths * size;
  std::int64_t q = FloorDiv(n, 100);
  const std::int64_t r = n - q * 100;
  if (r > 50 || (r == 50 && (q & 1) != 0)) ++q;
  return q;
}

// x and y are 16-bit: a step that would leave the range fails and, as every failing step of the
// drawing, is skipped.
void Store16(std::int16_t& target, std::int64_t value) {
  if (value >= std::numeric_limits<std::int16_t>::min() &&
      value <= std::numeric_limits<std::int16_t>::max()) {
    target = static_cast<std::int16_t>(value);
  }
}

std::string TwoDigits(int day) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", day);
  return text;
}

std::string YearText(int year) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", year);
  return text;
}

bool IsBlankCell(std::string_view cell) { return cell.find_first_not_of(' ') == std::string_view::npos; }

int CellDay(std::string_view cell) { return (cell[0] - '0') * 10 + (cell[1] - '0'); }

std::string_view Cell(const std::string& grid, int row, int column) {
  return std::string_view(grid).substr(static_cast<std::size_t>(row * 14 + column * 2), 2);
}

// A note marks its day when its text is more than blanks.
bool HasNote(const DayNoteReader& readNote, int year, int month, int day) {
  if (!readNote) return false;
  std::string text;
  if (readNote(DayNoteTitle(year, month, day), text) < 0) return false;
  return text.find_first_not_of(' ') != std::string::npos;
}

Colour CellColour(const CalendarColours& colours, int year, int month, std::string_view cell,
                  int column) {
  std::string holidayName;
  const bool holiday = CheckHoliday(YearText(year) + TwoDigits(month) + std::string(cell), holidayName);
  if (holiday || column == 0) return colours.holiday;
  if (column == 6) return colours.saturday;
  return colours.text;
}

void ResetState(CalendarMonthState& state, int year, int month) {
  state.CalendarYear = static_cast<std::int16_t>(year);
  state.CalendarMonth = static_cast<std::int16_t>(month);
  state.CalendarDayMap.fill(0);
}

Colour HeaderColour(const CalendarColours& colours, int column) {
  if (column == 0) return colours.holiday;
  if (column == 6) return colours.saturday;
  return colours.text;
}

}  // namespace

CivilDate ShownDate(const CivilDate& today, int monthOffset) {
  const std::int64_t monthIndex =
      static_cast<std::int64_t>(today.year) * 12 + (today.month - 1) + monthOffset;
  const int year = static_cast<int>(FloorDiv(monthIndex, 12));
  const int month = static_cast<int>(monthIndex - static_cast<std::int64_t>(year) * 12) + 1;
  const int last = DaysInMonth(year, month);
  return CivilDate{year, month, today.day < last ? today.day : last};
}

std::string MonthGridText(int year, int month) {
  const int first = static_cast<int>(WeekdayOf(DaysFromCivil(year, month, 1)));  // 0 = Sunday
  const int days = DaysInMonth(year, month);
  std::string grid;
  grid.reserve(84);
  grid.append(static_cast<std::size_t>(first) * 2, ' ');
  for (int day = 1; day <= days; ++day) grid += TwoDigits(day);
  grid.resize(84, ' ');
  return grid;
}

void DrawCalendarMonth(Canvas& canvas, std::int16_t& x, std::int16_t& y, std::int16_t monthOffset,
                       const MonthDrawInputs& inputs, CalendarMonthState& state) {
  const CivilDate shown = ShownDate(inputs.today, monthOffset);
  const int year = shown.year;
  const int month = shown.month;
  ResetState(state, year, month);
  const std::string grid = MonthGridText(year, month);
  const CalendarColours& colours = inputs.colours;
  const std::int64_t s = inputs.font.size;

  CanvasFont font{inputs.font.name, static_cast<double>(s), inputs.font.bold, inputs.font.italic};
  auto drawShadowed = [&](int dx, const std::string& text, Colour colour) {
    canvas.DrawText(x + dx, y + dx, text, kCalendarShadowColour, font);
    canvas.DrawText(x, y, text, colour, font);
  };

  Store16(y, y + s);
  drawShadowed(2, YearText(year), colours.text);

  const std::string label = (month < 10 ? " " : "") + std::to_string(month);
  if (s + 12 <= std::numeric_limits<std::int16_t>::max()) font.size = static_cast<double>(s + 12);
  Store16(y, RoundScaled(y, 115, s));
  drawShadowed(2, label, colours.text);

  Store16(x, RoundScaled(x, 420, s));
  Store16(y, y - s);
  font.size = static_cast<double>(s);

  // Header: every shadow first, then the texts. Friday's shadow sits a little further right
  // than the others, as it always has.
  static constexpr int kShadowHundredths[7] = {20, 320, 620, 920, 1220, 1540, 1820};
  static constexpr int kMainHundredths[7] = {0, 300, 600, 900, 1200, 1520, 1800};
  const auto shadowY = static_cast<int>(RoundScaled(y, 20, s));
  for (int k = 0; k < 7; ++k) {
    canvas.DrawText(static_cast<int>(RoundScaled(x, kShadowHundredths[k], s)), shadowY,
                    kWeekdayNames[k], kCalendarShadowColour, font);
  }
  for (int k = 0; k < 7; ++k) {
    canvas.DrawText(static_cast<int>(RoundScaled(x, kMainHundredths[k], s)), y, kWeekdayNames[k],
                    HeaderColour(colours, k), font);
  }

  const std::string todayCell = TwoDigits(shown.day);
  for (int r = 0; r < 6; ++r) {
    for (int k = 0; k < 7; ++k) {
      const std::string cell(Cell(grid, r, k));
      const bool blank = IsBlankCell(cell);
      if (!blank) state.CalendarDayMap[static_cast<std::size_t>(r * 7 + k)] = static_cast<std::int16_t>(CellDay(cell));
      int dx = 0;
      int dy = 0;
      if (cell == todayCell) {
        font.size = 1.5 * static_cast<double>(s);
        dx = 4;
        dy = 2;
      } else {
        font.size = static_cast<double>(s);
      }
      const auto mainX = static_cast<int>(x + 3 * s * k + 7 - dx);
      const auto mainY = static_cast<int>(y + 3 * s + 2 * s * r - dy);
      canvas.DrawText(mainX + 1, mainY + 1, cell, kCalendarShadowColour, font);
      const Colour colour = CellColour(colours, year, month, cell, k);
      if (!blank && HasNote(inputs.readNote, year, month, CellDay(cell))) {
        canvas.DrawText(mainX + 1, mainY + 1, "__", colour, font);
      }
      canvas.DrawText(mainX, mainY, cell, colour, font);
    }
  }
}

bool DrawWallpaperCalendar(Canvas& canvas, const std::string& sourceImage,
                           const std::string& targetFile, std::int16_t& x, std::int16_t& y,
                           const WallpaperDrawInputs& inputs, CalendarMonthState& state) {
  // A picture that cannot be loaded leaves the canvas as it is; the calendar is drawn anyway.
  (void)canvas.LoadPicture(sourceImage);

  const int year = inputs.today.year;
  const int month = inputs.today.month;
  ResetState(state, year, month);
  const std::string grid = MonthGridText(year, month);
  const CalendarColours& colours = inputs.colours;
  const std::string face(kWallpaperCalendarFace);

  CanvasFont font{face, 24, true, true};
  const std::string label = std::to_string(month);
  canvas.DrawText(x + 2, y + 2, label, kCalendarShadowColour, font);
  canvas.DrawText(x, y, label, colours.text, font);

  Store16(x, x + 32);
  Store16(y, y + 10);
  font = CanvasFont{face, 12, true, false};

  static constexpr int kOffsets[7] = {0, 40, 80, 120, 160, 202, 240};
  for (int k = 0; k < 7; ++k) {
    canvas.DrawText(x + kOffsets[k] + 2, y + 2, kWeekdayNames[k], kCalendarShadowColour, font);
  }
  for (int k = 0; k < 7; ++k) {
    canvas.DrawText(x + kOffsets[k], y, kWeekdayNames[k], HeaderColour(colours, k), font);
  }

  const std::string todayCell = TwoDigits(inputs.today.day);
  for (int r = 0; r < 6; ++r) {
    for (int k = 0; k < 7; ++k) {
      const std::string cell(Cell(grid, r, k));
      const bool blank = IsBlankCell(cell);
      if (!blank) state.CalendarDayMap[static_cast<std::size_t>(r * 7 + k)] = static_cast<std::int16_t>(CellDay(cell));
      int dx = 0;
      int dy = 0;
      if (cell == todayCell) {
        font.size = 17;
        dx = 4;
        dy = 2;
      } else {
        font.size = 13;
      }
      const int mainX = x + 40 * k + 7 - dx;
      const int mainY = y + 18 + 20 * r - dy;
      // Notes are looked up under the calendar window's title, so the wallpaper marks the same
      // days the window does.
      if (!blank && HasNote(inputs.readNote, year, month, CellDay(cell))) {
        canvas.DrawText(mainX, mainY, kWallpaperNoteMark, Rgb(255, 0, 0), font);
      }
      canvas.DrawText(mainX + 1, mainY + 1, cell, kCalendarShadowColour, font);
      canvas.DrawText(mainX, mainY, cell, CellColour(colours, year, month, cell, k), font);
    }
  }

  return canvas.SavePicture(targetFile);
}

}  // namespace qb
