#pragma once
// The month drawn into the user's wallpaper (setting Calender/Enable "1"): drawn at start-up onto
// a copy of the user's picture, drawn again whenever the date moves on while the program runs,
// and the user's picture put back at exit and at Windows' log-off.
#include <windows.h>

#include <string>

namespace qb {

// Start-up. When the mode is on: finds the user's own picture (the wallpaper in force, or the one
// recorded in Wallpaper/1 when the wallpaper in force is the program's calendar picture), records
// it, draws today's month onto it into "Quorbell.bmp" of the working directory at Calender/X, Y,
// makes that file the wallpaper, and sets a timer on `timerOwner` for the next midnight. Nothing
// at all, no timer either, while the mode is off.
void ApplyWallpaperCalendarAtStartup(HWND timerOwner);

// The date may have changed (the system clock was set, the computer woke up): draws again when
// it did, and sets the midnight timer anew. Nothing when the calendar is not shown.
void RefreshWallpaperCalendar();

// The settings dialog confirmed the mode on: the user's picture `original` is stored as the
// wallpaper, the month drawn onto it at Calender/X, Y into "Quorbell.bmp" and that made the
// wallpaper; the midnight timer runs on `timerOwner` from now on.
void ShowWallpaperCalendarNow(HWND timerOwner, const std::string& original);

// The settings dialog confirmed the mode off: when the wallpaper in force is the calendar picture,
// the user's picture `original` comes back at once (when that file exists); the midnight timer ends.
void TakeDownWallpaperCalendar(const std::string& original);

// Shutdown: when Calender/Enable is "1", the recorded picture becomes the wallpaper again; the
// midnight timer ends.
void RestoreWallpaperAtExit();

}  // namespace qb
