#pragma once
// What the settings dialog's controls hold, as plain values: a text box's text, a check box's tick,
// a list's index, a colour box's colour. The dialog window only copies these into its controls and
// back; loading them from the settings file and confirming them into it (SettingsDialogSteps.h) work
// on this struct alone.
#include <array>
#include <string>
#include <string_view>

#include "common/Canvas.h"

namespace qb {

// The nine hotkey rows of the dialog: copy keys 1 to 3, paste keys 1 to 3, macro keys 1 to 3
// (configurable hotkey entries 1 to 9).
inline constexpr int kDialogHotkeyRows = 9;
inline constexpr int kDialogSlotCount = 3;
inline constexpr int kDialogLauncherRows = 15;

// The texts of the two hotkey lists, in list-index order.
inline constexpr std::array<std::string_view, 3> kModifierListTexts = {"ALT", "CTRL", "SHIFT"};
inline constexpr std::array<std::string_view, 31> kKeyListTexts = {
    "NUM1", "NUM2", "NUM3", "NUM4", "NUM5", "NUM6", "NUM7", "NUM8", "NUM9", "1", "2",
    "3",    "4",    "5",    "6",    "7",    "8",    "9",    "0",    "F1",   "F2", "F3",
    "F4",   "F5",   "F6",   "F7",   "F8",   "F9",   "F10",  "F11",  "F12"};

struct HotkeyListChoice {
  int modifier = 0;  // index into kModifierListTexts
  int key = 0;       // index into kKeyListTexts
  friend bool operator==(const HotkeyListChoice&, const HotkeyListChoice&) = default;
};

struct LauncherRowValues {
  std::string name;
  std::string path;
  std::string opacity = "255";  // the design text of the box
  friend bool operator==(const LauncherRowValues&, const LauncherRowValues&) = default;
};

// Text boxes start with their design texts, so that a field loading never reaches still shows
// what the window would show.
struct SettingsDialogValues {
  // Clipboard slots and key macros: hotkey rows, and the texts with real line breaks (CR LF) and tabs.
  std::array<HotkeyListChoice, kDialogHotkeyRows> hotkeys{};
  std::array<std::string, kDialogSlotCount> slotTexts;
  std::array<std::string, kDialogSlotCount> macroTexts;

  // Launcher
  std::array<LauncherRowValues, kDialogLauncherRows> launcher;
  bool launcherOpacityEnabled = true;  // the opacity boxes work from Windows 2000 on

  // Desktop calendar
  bool calendarPicture = false;
  std::string calendarPictureFile;
  Colour calendarBack = 0;
  std::string calendarOpacity = "255";
  std::string calendarFontName;
  std::string calendarFontSize;
  bool calendarFontBold = false;
  bool calendarFontItalic = false;
  Colour calendarText = 0;
  Colour calendarHoliday = 0;
  Colour calendarSaturday = 0;
  // The calendar drawn into the wallpaper
  bool wallpaperCalendar = false;
  std::string wallpaperCalendarX = "0";
  std::string wallpaperCalendarY = "0";

  // Desktop icon labels and the start-up wait
  bool iconTextTransparent = false;
  Colour iconTextColour = 0;
  std::string startupWait = "0";

  // Screen capture: the two options of one group (neither is chosen when both are off)
  bool capturePrints = false;
  bool captureToFile = false;

  // Desktop memos
  std::string memoFontName;
  std::string memoFontSize;
  Colour memoFontColour = 0;
  bool memoFontBold = false;
  bool memoFontItalic = false;
  Colour memoBack = 0;
  std::string memoOpacity = "255";

  bool windowShadeXp = false;

  // Wallpaper change at start-up
  bool wallpaperRotation = false;
  std::string wallpaperFolder;

  // Memory diet
  std::string dietMegabytes;
  bool autoDiet = false;
  std::string autoDietSeconds = "600";
  std::string autoDietPercent = "64";

  bool mouseWarp = false;

  friend bool operator==(const SettingsDialogValues&, const SettingsDialogValues&) = default;
};

}  // namespace qb
