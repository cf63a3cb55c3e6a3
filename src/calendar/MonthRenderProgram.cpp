// The program's forms of the month drawings: the settings, colours, date and notes of the running
// program fed into the layouts.
#include <ctime>
#include <memory>

#include "calendar/DayNotes.h"
#include "calendar/MonthRender.h"
#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {
namespace {

Colour DefaultColour(const SettingKey& key) { return ParseInt32(key.defaultValue).value_or(0); }

// A value that is no number counts as 0: no bold, no italic, font size 0.
bool SettingIsNonZero(const SettingKey& key) { return ParseNumber(ReadSetting(key)).value_or(0) != 0; }

// One listing of the month's notes per drawing instead of a file lookup for every day.
DayNoteReader ProgramNoteReader() {
  auto lookup = std::make_shared<DayNoteLookup>(CurrentDayNoteLookup());
  return [lookup](std::string_view title, std::string& text) { return lookup->Read(title, text); };
}

}  // namespace

CalendarColours& TheCalendarColours() {
  static CalendarColours colours;
  return colours;
}

Colour CalendarColourFromText(std::string_view text, Colour fallback) { return ParseInt32(text).value_or(fallback); }

CalendarColours ReadCalendarColours() {
  CalendarColours colours;
  colours.text = CalendarColourFromText(ReadSetting(keys::FontColor), DefaultColour(keys::FontColor));
  colours.holiday = CalendarColourFromText(ReadSetting(keys::FontColor2), DefaultColour(keys::FontColor2));
  colours.saturday = CalendarColourFromText(ReadSetting(keys::FontColor3), DefaultColour(keys::FontColor3));
  return colours;
}

CalendarMonthState& TheCalendarMonth() {
  static CalendarMonthState state;
  return state;
}

CivilDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &now) != 0) return CivilDate{};
#else
  if (localtime_r(&now, &local) == nullptr) return CivilDate{};
#endif
  return CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void DrawCalendarMonth(Canvas& canvas, std::int16_t& x, std::int16_t& y, std::int16_t monthOffset) {
  MonthDrawInputs inputs;
  inputs.today = LocalToday();
  inputs.font.name = ReadSetting(keys::CalFontName);
  inputs.font.size = ParseInt16(ReadSetting(keys::CalFontSize)).value_or(0);
  inputs.font.italic = SettingIsNonZero(keys::CalFontItalic);
  inputs.font.bold = SettingIsNonZero(keys::CalFontBold);
  inputs.colours = TheCalendarColours();
  inputs.readNote = ProgramNoteReader();
  DrawCalendarMonth(canvas, x, y, monthOffset, inputs, TheCalendarMonth());
}

bool DrawWallpaperCalendar(Canvas& canvas, const std::string& sourceImage,
                           const std::string& targetFile, std::int16_t& x, std::int16_t& y) {
  WallpaperDrawInputs inputs;
  inputs.today = LocalToday();
  inputs.colours = TheCalendarColours();
  inputs.readNote = ProgramNoteReader();
  return DrawWallpaperCalendar(canvas, sourceImage, targetFile, x, y, inputs, TheCalendarMonth());
}

}  // namespace qb
