#pragma once
// Drawing one calendar month as text: DrawCalendarMonth for the desktop calendar window (all
// positions scale with the calendar font size) and DrawWallpaperCalendar for the calendar drawn
// into the wallpaper picture (fixed pixel geometry). Both draw every text twice, a dark shadow
// first, and leave the day map, year and month of the drawing for the window's click handler.
//
// The layout functions take everything as plain values (today, font, colours, where notes come
// from), so that tests can drive them; the short forms read the settings, the application's
// colours, the local date and the day-note folder the way the program does.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/Canvas.h"
#include "calendar/CivilDate.h"

namespace qb {

// The month last drawn by either routine. CalendarDayMap[r * 7 + k] is the day shown in row r
// (0..5), column k (0 = Sunday .. 6 = Saturday), 0 for a blank cell; entries 42..50 stay 0.
struct CalendarMonthState {
  std::array<std::int16_t, 51> CalendarDayMap{};
  std::int16_t CalendarYear = 0;
  std::int16_t CalendarMonth = 0;
};

// The process's one copy, which the calendar window reads.
CalendarMonthState& TheCalendarMonth();

// Fixed shadow colour of every text: RGB(10, 10, 10).
inline constexpr Colour kCalendarShadowColour = Rgb(10, 10, 10);

struct CalendarColours {
  Colour text = 16777215;      // white: year, month, Mon-Fri, weekdays
  Colour holiday = 255;        // red: "Sun", Sundays and holidays
  Colour saturday = 16711680;  // blue: "Sat", Saturdays
};

// The colours the program draws its calendars with: read at start-up and whenever the settings
// change (ReadCalendarColours), window thread only.
CalendarColours& TheCalendarColours();
// The three colours of section "CalFont" (FontColor, FontColor2, FontColor3); a value that is no
// 32-bit number gives that key's default.
CalendarColours ReadCalendarColours();
Colour CalendarColourFromText(std::string_view text, Colour fallback);

// The calendar font as the layout uses it: S = size is also the unit of the whole layout.
struct CalendarFont {
  std::string name = "ＭＳ ゴシック";
  std::int16_t size = 10;
  bool bold = true;
  bool italic = true;
};

// Reads a day's note: appends its text (lines joined by "@@") and returns 0, or returns a
// negative number when there is none. ReadDayNote has this shape.
using DayNoteReader = std::function<int(std::string_view title, std::string& text)>;

struct MonthDrawInputs {
  CivilDate today;
  CalendarFont font;
  CalendarColours colours;
  DayNoteReader readNote;  // empty: no day has a note
};

// The date shown with `monthOffset` months from `today`: same day of the month, clamped to the
// last day of the target month.
CivilDate ShownDate(const CivilDate& today, int monthOffset);

// The 84-character month grid: 42 cells of two characters, blanks before the first day and after
// the last, days as two digits.
std::string MonthGridText(int year, int month);

// Draws the month `monthOffset` months from inputs.today with the origin (x, y); moves x and y
// while laying out and leaves them changed (the window passes 0, 0 each time).
void DrawCalendarMonth(Canvas& canvas, std::int16_t& x, std::int16_t& y, std::int16_t monthOffset,
                       const MonthDrawInputs& inputs, CalendarMonthState& state);

// The program's form: today is the local date, the font is read from section "CalFont" of the
// settings file on every call, the colours are TheCalendarColours(), notes are read with ReadDayNote, and
// the state is TheCalendarMonth().
void DrawCalendarMonth(Canvas& canvas, std::int16_t& x, std::int16_t& y, std::int16_t monthOffset);

// The face the wallpaper calendar draws with (the calendar font settings do not apply to it).
inline constexpr std::string_view kWallpaperCalendarFace = "ＭＳ ゴシック";
// The mark drawn on wallpaper days that have a note, in RGB(255, 0, 0).
inline constexpr std::string_view kWallpaperNoteMark = "●";

struct WallpaperDrawInputs {
  CivilDate today;
  CalendarColours colours;
  DayNoteReader readNote;  // empty: no day has a note
};

// Loads `sourceImage` into the canvas (a picture that cannot be loaded leaves the canvas as it
// is), draws today's month at (x, y) with fixed pixel geometry, and saves the canvas as a 24-bit
// bitmap to `targetFile`. Returns whether the bitmap was saved. x and y are moved like
// DrawCalendarMonth's.
bool DrawWallpaperCalendar(Canvas& canvas, const std::string& sourceImage,
                           const std::string& targetFile, std::int16_t& x, std::int16_t& y,
                           const WallpaperDrawInputs& inputs, CalendarMonthState& state);

// The program's form: local date, TheCalendarColours(), ReadDayNote, TheCalendarMonth().
bool DrawWallpaperCalendar(Canvas& canvas, const std::string& sourceImage,
                           const std::string& targetFile, std::int16_t& x, std::int16_t& y);

// Today in the local time zone.
CivilDate LocalToday();

}  // namespace qb
