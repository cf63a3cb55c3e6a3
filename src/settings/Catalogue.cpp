#include "settings/Catalogue.h"

namespace qb::keys {

std::vector<SettingKey> AllCatalogued() {
  std::vector<SettingKey> all = {
      WindowShadeXpMode, MouseWarpEnable, MemDietSize, MemDietSize2, MemDietSec, MemDietCheck,
      StartupWait, WallpaperCheck, WallpaperDir, Wallpaper1, IconTextCheck, IconTextColor,
      SShotPrn, SShotFile, DesktopCalEnable, DesktopCalTop, DesktopCalLeft, DesktopCalBkColor,
      DesktopCalTrans, CalFontName, CalFontSize, CalFontItalic, CalFontBold, CalFontForeColor,
      FontColor, FontColor2, FontColor3, FontColorDialog, FontColor2Dialog, FontColor3Dialog,
      CalenderImage, CalenderFilename, CalenderEnable, CalenderX, CalenderY, DesktopMemoBkColor,
      DesktopMemoTrans, MemoFontName, MemoFontSize, MemoFontForeColor, MemoFontItalic,
      MemoFontBold, DesktopClockEnable, DesktopClockTop, DesktopClockLeft, ClockPicName,
      SSwitchTop, SSwitchLeft,
  };
  for (int n = 1; n <= kClipSlotCount; ++n) {
    all.push_back(ClipText(n));
    all.push_back(ParaText(n));
  }
  for (int n = 1; n <= kHotkeyEntryCount; ++n) {
    all.push_back(HotkeyKey(n));
    all.push_back(HotkeyCap(n));
  }
  for (int n = 0; n < kMemoCount; ++n) {
    for (const SettingKey& key : {MemoText(n), MemoTop(n), MemoLeft(n), MemoWidth(n), MemoHeight(n),
                                  MemoBkColor(n), MemoFrColor(n), MemoOwnFontName(n),
                                  MemoOwnFontSize(n), MemoOwnFontItalic(n), MemoOwnFontBold(n)}) {
      all.push_back(key);
    }
  }
  for (int n = 1; n <= kLauncherEntryCount; ++n) {
    all.push_back(AppName(n));
    all.push_back(AppPath(n));
    all.push_back(AppVis(n));
  }
  return all;
}

}  // namespace qb::keys
