#include "desktop/WallpaperCalendar.h"

#include <string>

#include "calendar/MonthRender.h"
#include "common/DpiScale.h"
#include "common/FileSystem.h"
#include "common/Numbers.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperCalendarPlan.h"
#include "desktop/WallpaperRecord.h"
#include "platform/DebugLog.h"
#include "platform/GdiCanvas.h"
#include "platform/WinText.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

namespace {

// A thread timer of the main window; the id only has to differ from the window's other timers.
constexpr UINT_PTR kMidnightTimerId = 0x5743;
// The timer counts ticks, not the clock: fire a little after midnight so the new date is there.
constexpr std::uint32_t kMidnightMarginMs = 1000;

struct CalendarWallpaperState {
  HWND timerOwner = nullptr;
  bool shown = false;  // the calendar picture was made the wallpaper by this run
  CivilDate drawn;
};

CalendarWallpaperState& TheState() {
  static CalendarWallpaperState state;
  return state;
}

bool ModeOn() { return ReadSetting(keys::CalenderEnable) == "1"; }

std::string CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return ".";
  std::wstring dir(length, L'\0');
  const DWORD written = GetCurrentDirectoryW(length, dir.data());
  if (written == 0 || written >= length) return ".";
  dir.resize(written);
  return Narrow(dir);
}

// The shell resolves a relative wallpaper name against its own folder, not ours: always the full path.
std::string CalendarPicturePath() { return JoinPath(CurrentDirectory(), kWallpaperCalendarFile); }

bool DrawOnto(const std::string& original) {
  std::int16_t x = ParseInt16(ReadSetting(keys::CalenderX)).value_or(0);
  std::int16_t y = ParseInt16(ReadSetting(keys::CalenderY)).value_or(0);
  const std::string target = CalendarPicturePath();
  GdiCanvas canvas = GdiCanvas::ScreenSized();
  // The wallpaper keeps its natural size at every DPI, and the calendar on it its fixed pixel layout:
  // its point sizes are those of 96 dots per inch, the grid they were made to fit.
  canvas.SetFontDpi(kDesignDpi);
  TheState().drawn = LocalToday();
  if (!DrawWallpaperCalendar(canvas, original, target, x, y)) {
    DebugLog("wallpaper calendar: the picture could not be written");
    return false;
  }
  return ApplyDesktopWallpaper(target);
}

VOID CALLBACK OnMidnightTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
  try {
    RefreshWallpaperCalendar();
  } catch (...) {
    LogCurrentException("wallpaper calendar at midnight");
  }
}

void ArmMidnightTimer() {
  CalendarWallpaperState& state = TheState();
  if (state.timerOwner == nullptr) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::uint32_t delay = MillisecondsUntilMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, kMidnightMarginMs);
  Tolerate(SetTimer(state.timerOwner, kMidnightTimerId, delay, &OnMidnightTimer) != 0, "SetTimer midnight");
}

void StopMidnightTimer() {
  CalendarWallpaperState& state = TheState();
  if (state.timerOwner == nullptr) return;
  Tolerate(KillTimer(state.timerOwner, kMidnightTimerId) != FALSE, "KillTimer midnight");
  state.timerOwner = nullptr;
}

}  // namespace

void ApplyWallpaperCalendarAtStartup(HWND timerOwner) {
  if (!ModeOn()) return;
  WallpaperRecord& record = TheWallpaperRecord();
  const std::string recorded = ReadSetting(keys::Wallpaper1);
  record.OriginalWallpaper = ChooseOriginalWallpaper(GetDesktopWallpaper(), recorded, SystemFileSystem());
  if (record.OriginalWallpaper.empty()) return;
  // Kept before the calendar picture replaces the wallpaper, so that a run that ends abnormally
  // still leaves the way back to the user's picture.
  if (recorded != record.OriginalWallpaper) WriteSetting(keys::Wallpaper1, record.OriginalWallpaper);
  CalendarWallpaperState& state = TheState();
  state.timerOwner = timerOwner;
  state.shown = DrawOnto(record.OriginalWallpaper);
  ArmMidnightTimer();
}

void ShowWallpaperCalendarNow(HWND timerOwner, const std::string& original) {
  if (original.empty()) return;
  // The registry holds the user's picture again before the calendar picture replaces it, as at
  // start-up: whatever happens next, the way back is there.
  StoreDesktopWallpaper(original);
  ApplyDesktopWallpaper(original);
  CalendarWallpaperState& state = TheState();
  state.timerOwner = timerOwner;
  state.shown = DrawOnto(original);
  ArmMidnightTimer();
}

void TakeDownWallpaperCalendar(const std::string& original) {
  StopMidnightTimer();
  TheState().shown = false;
  if (!IsWallpaperCalendarFile(GetDesktopWallpaper()) || original.empty()) return;
  ApplyDesktopWallpaper(original);
}

void RefreshWallpaperCalendar() {
  CalendarWallpaperState& state = TheState();
  const std::string& original = TheWallpaperRecord().OriginalWallpaper;
  if (state.timerOwner == nullptr || original.empty()) return;
  if (WallpaperCalendarOutOfDate(state.drawn, LocalToday()) || !state.shown) state.shown = DrawOnto(original);
  ArmMidnightTimer();
}

void RestoreWallpaperAtExit() {
  StopMidnightTimer();
  const std::string& original = TheWallpaperRecord().OriginalWallpaper;
  if (!ModeOn() || original.empty()) return;
  ApplyDesktopWallpaper(original);
}

}  // namespace qb
