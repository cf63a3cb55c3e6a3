#pragma once
// The decisions of the calendar drawn into the wallpaper that need no window: which file is the
// user's own picture, and when the drawing is due again because the date moved on.
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CivilDate.h"
#include "common/FileSystem.h"

namespace qb {

// The picture the month is drawn onto, in the working directory.
inline constexpr std::string_view kWallpaperCalendarFile = "Quorbell.bmp";

// True when `path` names the program's own calendar picture (any folder, any case): a wallpaper
// that is this file carries an earlier calendar, never the user's picture.
bool IsWallpaperCalendarFile(std::string_view path);

// The user's own picture to draw the calendar onto, given the wallpaper in force and the one
// recorded when the calendar was last applied. The wallpaper in force counts unless it is the
// program's calendar picture (a run that did not end normally left it there); then the record
// stands in. Empty when neither names an existing picture of the user.
std::string ChooseOriginalWallpaper(const std::string& current, const std::string& recorded, const FileSystem& fs);

// Milliseconds from the local time of day to the next midnight, plus `margin` so that a timer
// set for it fires when the new date is already there. The time is clamped into one day.
std::uint32_t MillisecondsUntilMidnight(int hour, int minute, int second, int millisecond, std::uint32_t margin);

// The drawing shows `drawn`; whether it must be drawn again on `today`.
inline bool WallpaperCalendarOutOfDate(const CivilDate& drawn, const CivilDate& today) { return !(drawn == today); }

}  // namespace qb
