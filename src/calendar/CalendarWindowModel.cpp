#include "calendar/CalendarWindowModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "calendar/DayNotes.h"
#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

namespace {

constexpr double kDesignWidthTwips = 4680;
constexpr double kDesignHeightTwips = 2355;
constexpr double kWidthShare = 0.85;
constexpr double kButtonTwips = 180;
constexpr double kDesignTwipsPerPixel = 15;  // 96 dots per inch
// The drawing area overhangs the window by these many pixels on the right and at the bottom.
constexpr int kPictureExtraWidth = 11;
constexpr int kPictureExtraHeight = 4;
constexpr uint32_t kDefaultBackColour = 8000000;
constexpr uint32_t kLargestColour = 0xFFFFFF;

// Pixel figures stay where window coordinates are safe everywhere.
int ToPixels(double value) {
  if (!std::isfinite(value)) return 0;
  const double rounded = RoundHalfEven(value);
  return static_cast<int>(std::clamp(rounded, -32768.0, 32767.0));
}

int ToSize(double value) { return std::max(0, ToPixels(value)); }

}  // namespace

CalendarWindowGeometry CalendarGeometryFor(double fontSize, double twipsPerPixelX, double twipsPerPixelY) {
  const double scale = std::isfinite(fontSize) ? fontSize / 10 : 0;
  const double widthPixels = scale * kWidthShare * kDesignWidthTwips / twipsPerPixelX;
  const double heightPixels = scale * kDesignHeightTwips / twipsPerPixelY;
  // The figures given in pixels are pixels of 96 dots per inch (15 twips per pixel); on a screen
  // of more dots per inch they grow with it, as everything else does.
  const double perDesignPixelX = kDesignTwipsPerPixel / twipsPerPixelX;
  const double perDesignPixelY = kDesignTwipsPerPixel / twipsPerPixelY;
  CalendarWindowGeometry g;
  g.width = ToSize(widthPixels);
  g.height = ToSize(heightPixels);
  g.pictureWidth = ToSize(widthPixels + kPictureExtraWidth * perDesignPixelX);
  g.pictureHeight = ToSize(heightPixels + kPictureExtraHeight * perDesignPixelY);
  const int buttonTop = ToPixels((50 * scale + 5) * perDesignPixelY);
  g.prevButton = {ToPixels(2 * scale * perDesignPixelX), buttonTop};
  g.nextButton = {ToPixels((18 * scale + 5) * perDesignPixelX), buttonTop};
  g.buttonSize = ToSize(kButtonTwips / twipsPerPixelX);
  return g;
}

uint32_t CalendarBackColourFromText(std::string_view text) {
  const std::optional<int64_t> value = ParseInteger(text, 0, kLargestColour);
  return value ? static_cast<uint32_t>(*value) : kDefaultBackColour;
}

uint8_t OpacityFromText(std::string_view text) {
  const std::optional<double> value = ParseNumber(text);
  if (!value) return 255;
  return static_cast<uint8_t>(std::clamp(RoundHalfEven(*value), 0.0, 255.0));
}

int TwipsTextToPixels(std::string_view text, double twipsPerPixel) {
  const std::optional<double> twips = ParseNumber(text);
  if (!twips) return 0;
  // Stored as single precision: a value beyond its range is not a place.
  if (std::fabs(*twips) > std::numeric_limits<float>::max()) return 0;
  return ToPixels(static_cast<float>(*twips) / twipsPerPixel);
}

bool CalendarOpensAtStartup() { return ReadSetting(keys::DesktopCalEnable) == "True"; }

CalendarWindowSetup LoadCalendarWindowSettings(double twipsPerPixelX, double twipsPerPixelY) {
  CalendarWindowSetup setup;
  const double fontSize = ParseNumber(ReadSetting(keys::CalFontSize)).value_or(0);
  WriteSetting(keys::DesktopCalEnable, "True");
  setup.place.y = TwipsTextToPixels(ReadSetting(keys::DesktopCalTop), twipsPerPixelY);
  setup.place.x = TwipsTextToPixels(ReadSetting(keys::DesktopCalLeft), twipsPerPixelX);
  setup.backColour = CalendarBackColourFromText(ReadSetting(keys::DesktopCalBkColor));
  setup.fontSize = fontSize;
  setup.geometry = CalendarGeometryFor(fontSize, twipsPerPixelX, twipsPerPixelY);
  setup.opacity = OpacityFromText(ReadSetting(keys::DesktopCalTrans));
  return setup;
}

void StoreCalendarWindowClosed(std::optional<PixelPoint> place, double twipsPerPixelX, double twipsPerPixelY) {
  if (place) {
    WriteSetting(keys::DesktopCalTop, SingleText(place->y * twipsPerPixelY));
    WriteSetting(keys::DesktopCalLeft, SingleText(place->x * twipsPerPixelX));
  }
  WriteSetting(keys::DesktopCalEnable, "False");
}

std::optional<std::string> CalendarBackgroundPicture() {
  const std::optional<double> image = ParseNumber(ReadSetting(keys::CalenderImage));
  if (!image || *image != 1) return std::nullopt;
  return ReadSetting(keys::CalenderFilename);
}

int16_t PagedMonthOffset(int16_t monthOffset, int delta) {
  const int paged = std::clamp(monthOffset + delta, static_cast<int>(std::numeric_limits<int16_t>::min()),
                               static_cast<int>(std::numeric_limits<int16_t>::max()));
  return static_cast<int16_t>(paged);
}

std::optional<int> CalendarCellAt(double x, double y, int fontSize) {
  if (fontSize == 0) return std::nullopt;
  const double s = fontSize;
  const double column = RoundHalfEven((x - 6 * s) / (3 * s));
  const double row = RoundHalfEven((y - 4 * s) / (2 * s));
  // Each is a 16-bit integer; a point that far off is off the grid anyway.
  constexpr double kMin = std::numeric_limits<int16_t>::min();
  constexpr double kMax = std::numeric_limits<int16_t>::max();
  if (!(column >= kMin && column <= kMax && row >= kMin && row <= kMax)) return std::nullopt;
  const int index = static_cast<int>(row) * 7 + static_cast<int>(column);
  if (index < 0 || index >= kDayMapSize) return std::nullopt;
  return index;
}

std::optional<std::string> DayNoteTitleAt(double x, double y, int fontSize, std::span<const int16_t> dayMap,
                                          int year, int month) {
  const std::optional<int> index = CalendarCellAt(x, y, fontSize);
  if (!index || static_cast<size_t>(*index) >= dayMap.size()) return std::nullopt;
  const int day = dayMap[static_cast<size_t>(*index)];
  if (day == 0) return std::nullopt;
  return DayNoteTitle(year, month, day);
}

int CalendarHitFontSize() { return ParseInt16(ReadSetting(keys::CalFontSize)).value_or(0); }

}  // namespace qb
