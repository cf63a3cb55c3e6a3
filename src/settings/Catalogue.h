#pragma once
// Every section and key the program reads or writes, with the default its readers pass. Code uses
// these names and never spells a section or key itself.
#include <string>
#include <string_view>

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

// Calendar colours read at start-up
inline const SettingKey FontColor{"FONT", "COLOR", "16777215"};
inline const SettingKey FontColor2{"FONT", "COLOR2", "255"};
inline const SettingKey FontColor3{"FONT", "COLOR3", "16711680"};

inline const SettingKey DesktopCalEnable{"DESKTOPCAL", "Enable", "False"};
inline const SettingKey DesktopClockEnable{"DESKTOPCLOCK", "Enable", "False"};

}  // namespace keys
}  // namespace qb
