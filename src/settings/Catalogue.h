#pragma once
// Every section and key the program reads or writes, with the default its readers pass. Code uses
// these names and never spells a section or key itself. Names are SectionKey; numbered families
// are functions of their number. Where readers of one key pass different defaults, or the default
// is only known at run time, the comment says what the caller passes (use the three-argument
// ReadSetting then).
#include <string>
#include <string_view>
#include <vector>

namespace qb {

struct SettingKey {
  std::string section;
  std::string key;
  std::string defaultValue;
};

namespace keys {

// Core
inline const SettingKey WindowShadeXpMode{"WindowShade", "XPMODE", "0"};
inline const SettingKey MouseWarpEnable{"MouseWarp", "Enable", "0"};
inline const SettingKey MemDietSize{"MemDiet", "Size", "32"};
inline const SettingKey MemDietSize2{"MemDiet", "Size2", "64"};
inline const SettingKey MemDietSec{"MemDiet", "Sec", "600"};
inline const SettingKey MemDietCheck{"MemDiet", "Check", "0"};
inline const SettingKey StartupWait{"WAIT", "1", "0"};
inline const SettingKey WallpaperCheck{"Wallpaper", "Check", "0"};
inline const SettingKey WallpaperDir{"Wallpaper", "Dir", ""};
// Default: the current desktop wallpaper file as the system reports it (run time).
inline const SettingKey Wallpaper1{"Wallpaper", "1", ""};

// Desktop icon labels
inline const SettingKey IconTextCheck{"ICONTEXT", "CHECK", "1"};
// Default: the system's current desktop background colour as decimal text (run time).
inline const SettingKey IconTextColor{"ICONTEXT", "COLOR", ""};

// Screen capture
inline const SettingKey SShotPrn{"SShot", "Prn", "True"};
inline const SettingKey SShotFile{"SShot", "File", "False"};

// Clipboard slots and key macros 1 to 3, escaped with "\n" and "\t" by their owners.
inline constexpr int kClipSlotCount = 3;
inline SettingKey ClipText(int n) { return {"CLIP", std::to_string(n), ""}; }
inline SettingKey ParaText(int n) { return {"PARA", std::to_string(n), ""}; }

// Configurable hotkey entries 1 to 9 (the hotkey table also uses 10): key index and modifier.
// The catalogue default is the settings dialog's "0"; the hotkey table reads with
// kHotkeyTableDefault ("-1") to learn that an entry has no value yet.
inline constexpr int kHotkeyEntryCount = 10;
inline constexpr std::string_view kHotkeyTableDefault = "-1";
inline SettingKey HotkeyKey(int n) { return {"KEY", std::to_string(n), "0"}; }
inline SettingKey HotkeyCap(int n) { return {"CAP", std::to_string(n), "0"}; }

// Desktop calendar
inline const SettingKey DesktopCalEnable{"DESKTOPCAL", "Enable", "False"};
inline const SettingKey DesktopCalTop{"DESKTOPCAL", "Top", "0"};
inline const SettingKey DesktopCalLeft{"DESKTOPCAL", "Left", "0"};
inline const SettingKey DesktopCalBkColor{"DESKTOPCAL", "BKCOLOR", "8000000"};
inline const SettingKey DesktopCalTrans{"DESKTOPCAL", "TRANS", "255"};

inline const SettingKey CalFontName{"CalFont", "Name", "ＭＳ ゴシック"};
inline const SettingKey CalFontSize{"CalFont", "Size", "10"};
inline const SettingKey CalFontItalic{"CalFont", "Italic", "1"};
inline const SettingKey CalFontBold{"CalFont", "Bold", "1"};
// Written by the settings dialog only; nothing reads it.
inline const SettingKey CalFontForeColor{"CalFont", "FORECOLOR", ""};

// Calendar colours read at start-up
inline const SettingKey FontColor{"FONT", "COLOR", "16777215"};
inline const SettingKey FontColor2{"FONT", "COLOR2", "255"};
inline const SettingKey FontColor3{"FONT", "COLOR3", "16711680"};
// The same three keys as the settings dialog spells them (names compare without case).
inline const SettingKey FontColorDialog{"FONT", "Color", "16777215"};
inline const SettingKey FontColor2Dialog{"FONT", "Color2", "255"};
inline const SettingKey FontColor3Dialog{"FONT", "Color3", "16711680"};

// Wallpaper calendar and the calendar window's background picture
inline const SettingKey CalenderImage{"Calender", "Image", "0"};
inline const SettingKey CalenderFilename{"Calender", "Filename", ""};
inline const SettingKey CalenderEnable{"Calender", "Enable", "0"};
inline const SettingKey CalenderX{"Calender", "X", "0"};
inline const SettingKey CalenderY{"Calender", "Y", "0"};

// Desktop memos: common defaults
inline const SettingKey DesktopMemoBkColor{"DESKTOPMEMO", "BKCOLOR", "5373951"};
inline const SettingKey DesktopMemoTrans{"DESKTOPMEMO", "Trans", "255"};
inline const SettingKey MemoFontName{"MemoFont", "Name", "ＭＳ ゴシック"};
inline const SettingKey MemoFontSize{"MemoFont", "Size", "10"};
inline const SettingKey MemoFontForeColor{"MemoFont", "FORECOLOR", "0"};
inline const SettingKey MemoFontItalic{"MemoFont", "Italic", "0"};
inline const SettingKey MemoFontBold{"MemoFont", "Bold", "0"};

// The record of memo n (0 to 10): the number follows the key word (section DESKTOPMEMO) or the
// section word (MemoFont<n>) in decimal.
inline constexpr int kMemoCount = 11;
inline SettingKey MemoText(int n) { return {"DESKTOPMEMO", "MEMO" + std::to_string(n), ""}; }
inline SettingKey MemoTop(int n) { return {"DESKTOPMEMO", "TOP" + std::to_string(n), "0"}; }
inline SettingKey MemoLeft(int n) { return {"DESKTOPMEMO", "LEFT" + std::to_string(n), "0"}; }
inline SettingKey MemoWidth(int n) { return {"DESKTOPMEMO", "WIDTH" + std::to_string(n), "100"}; }
inline SettingKey MemoHeight(int n) { return {"DESKTOPMEMO", "HEIGHT" + std::to_string(n), "50"}; }
inline SettingKey MemoBkColor(int n) { return {"DESKTOPMEMO", "BKCOLOR" + std::to_string(n), ""}; }
inline SettingKey MemoFrColor(int n) { return {"DESKTOPMEMO", "FRCOLOR" + std::to_string(n), ""}; }
// The memo's own font; Italic and Bold are written as "True"/"False".
inline SettingKey MemoOwnFontName(int n) { return {"MemoFont" + std::to_string(n), "Name", ""}; }
inline SettingKey MemoOwnFontSize(int n) { return {"MemoFont" + std::to_string(n), "Size", ""}; }
inline SettingKey MemoOwnFontItalic(int n) { return {"MemoFont" + std::to_string(n), "Italic", ""}; }
inline SettingKey MemoOwnFontBold(int n) { return {"MemoFont" + std::to_string(n), "Bold", ""}; }

// Analog clock
inline const SettingKey DesktopClockEnable{"DESKTOPCLOCK", "Enable", "False"};
inline const SettingKey DesktopClockTop{"DESKTOPCLOCK", "Top", "0"};
inline const SettingKey DesktopClockLeft{"DESKTOPCLOCK", "Left", "0"};
inline const SettingKey ClockPicName{"CLOCK", "PicName", "VynClock.bmp"};

// Launcher entries 1 to 16 (the settings dialog edits 1 to 15).
inline constexpr int kLauncherEntryCount = 16;
inline constexpr int kLauncherDialogEntryCount = 15;
inline SettingKey AppName(int n) { return {"APPNAME", std::to_string(n), ""}; }
inline SettingKey AppPath(int n) { return {"APPPATH", std::to_string(n), ""}; }
inline SettingKey AppVis(int n) { return {"APPVIS", std::to_string(n), "255"}; }

// Shutdown button
inline const SettingKey SSwitchTop{"SSWITCH", "TOP", "0"};
inline const SettingKey SSwitchLeft{"SSWITCH", "LEFT", "0"};

// Every entry above, numbered families over their whole range.
std::vector<SettingKey> AllCatalogued();

}  // namespace keys
}  // namespace qb
