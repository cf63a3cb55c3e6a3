#include "app/SettingsDialogLink.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "calendar/MonthRender.h"
#include "desktop/IconText.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperCalendar.h"
#include "desktop/WallpaperRecord.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/WinHotkeys.h"
#include "memo/DesktopMemos.h"
#include "platform/OsVersion.h"

namespace qb {

namespace {

// Hotkey row n (1..9) of the dialog is the hotkey whose configurable entry is n.
std::optional<Hotkey> HotkeyOfRow(int n) {
  for (const HotkeyRow& row : kHotkeyTable) {
    if (row.entry == n) return row.hotkey;
  }
  return std::nullopt;
}

bool IsSlotNumber(int n) { return n >= 1 && n <= 3; }

}  // namespace

int SettingsDialogLink::OsMajorVersion() { return GetOsMajorVersion(); }

Colour SettingsDialogLink::DesktopColour() { return static_cast<Colour>(GetSysColor(COLOR_BACKGROUND) & 0xFFFFFF); }

std::string SettingsDialogLink::DesktopWallpaper() { return GetDesktopWallpaper(); }

const FileSystem& SettingsDialogLink::Files() { return SystemFileSystem(); }

void SettingsDialogLink::SetStartupWait(std::string_view storedText) { TheApp().StartupWait = StartupWaitFromText(storedText); }

void SettingsDialogLink::SetCalendarColours(Colour text, Colour holiday, Colour saturday) {
  TheCalendarColours() = CalendarColours{text, holiday, saturday};
}

void SettingsDialogLink::SetMouseWarpMode(int16_t mode) {
  TheApp().MouseWarpMode = mode;
  window_.UpdatePeriodicTimer();
}

void SettingsDialogLink::SetIconTextBackground(uint32_t colour) { qb::SetIconTextBackground(colour); }

std::string SettingsDialogLink::OriginalWallpaper() { return TheWallpaperRecord().OriginalWallpaper; }

void SettingsDialogLink::SetOriginalWallpaper(const std::string& path) { TheWallpaperRecord().OriginalWallpaper = path; }

void SettingsDialogLink::ShowWallpaperCalendar(const std::string& original) {
  ShowWallpaperCalendarNow(window_.Hwnd(), original);
}

void SettingsDialogLink::TakeDownWallpaperCalendar(const std::string& original) { qb::TakeDownWallpaperCalendar(original); }

void SettingsDialogLink::SetSlotCaption(int n, std::string_view text) { window_.SetSlotCaption(n, text); }

std::array<std::string, 3> SettingsDialogLink::ClipSlots() { return TheHotkeys().ClipSlots; }

void SettingsDialogLink::SetClipSlot(int n, const std::string& text) {
  if (IsSlotNumber(n)) TheHotkeys().ClipSlots[static_cast<size_t>(n - 1)] = text;
}

void SettingsDialogLink::SetMacroText(int n, const std::string& text) {
  if (IsSlotNumber(n)) TheHotkeys().MacroTexts[static_cast<size_t>(n - 1)] = text;
}

void SettingsDialogLink::ReRegisterHotkeys() {
  UnregisterHotkeys();
  RegisterHotkeys(window_.Hwnd());
}

bool SettingsDialogLink::HotkeyRowRegistered(int n) {
  const std::optional<Hotkey> hotkey = HotkeyOfRow(n);
  if (!hotkey) return false;
  const std::vector<Hotkey> dead = HotkeysNotRegistered();
  return std::find(dead.begin(), dead.end(), *hotkey) == dead.end();
}

void SettingsDialogLink::ReloadDesktopMemos() { LoadDesktopMemos(); }

}  // namespace qb
