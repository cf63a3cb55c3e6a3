#pragma once
// The resident instance's own start-up values: the periodic timer's switches and period and the
// start-up wait. Owned by the window thread; nothing here is locked.
#include <cstdint>
#include <string_view>

namespace qb {

struct AppState {
  int16_t MouseWarpMode = 0;        // mouse warp is on when 1
  int32_t DietTickLimit = 60000;    // timer ticks between automatic diets
  bool AutoDiet = false;
  uint32_t StartupWait = 0;         // milliseconds slept before the icon-text step
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

// Start-up steps that read settings into the state (ReadSetting of the current settings file).
void ReadCoreSettings(AppState& state);       // mouse warp, diet period and switch
void ReadStartupWait(AppState& state);
// The roll-up hotkey's title-bar mode, which the window tools keep.
bool ReadXpTitleMode();

}  // namespace qb
