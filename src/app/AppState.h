#pragma once
// Module-level state of the resident instance: the settings read at start-up and the values
// that several features share. Owned by the window thread; nothing here is locked.
#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

struct AppState {
  bool XpTitleMode = false;         // taller roll-up title bar for XP-style themes
  int16_t MouseWarpMode = 0;        // mouse warp is on when 1
  int32_t DietTickLimit = 60000;    // timer ticks between automatic diets
  bool AutoDiet = false;
  uint32_t StartupWait = 0;         // milliseconds slept before the icon-text step
  uint8_t AlphaLevel = 255;         // opacity step of the translucency hotkeys
  std::string OriginalWallpaper;    // recorded in calendar-wallpaper mode
  int32_t CalTextColor = 16777215;  // BGR: white
  int32_t CalHolidayColor = 255;    // red
  int32_t CalSaturdayColor = 16711680;  // blue
};

// The one instance of the process.
AppState& TheApp();

// The conversions of the start-up settings. Each takes the stored text; text the conversion
// cannot use (not a number, out of range) gives the key's default.
bool FlagFromText(std::string_view text);  // true unless exactly "0"
int16_t MouseWarpModeFromText(std::string_view text);
// Seconds between diets times 100 ticks of 10 ms. Seconds are taken in 0..kMaxDietSeconds, the
// largest count whose tick number still fits 32 bits (about 248 days); 0 keeps its meaning of a
// diet every second tick.
inline constexpr int32_t kMaxDietSeconds = 21474836;
int32_t DietTickLimitFromText(std::string_view text);
// A blocked window thread is not a useful start-up wait; longer waits are cut to a minute.
inline constexpr uint32_t kMaxStartupWaitMs = 60000;
uint32_t StartupWaitFromText(std::string_view text);
int32_t ColourFromText(std::string_view text, int32_t fallback);

// Start-up steps that read settings into the state (ReadSetting of the current settings file).
void ReadCoreSettings(AppState& state);       // roll-up mode, mouse warp, diet period and switch
void ReadStartupWait(AppState& state);
void ReadCalendarColours(AppState& state);

}  // namespace qb
