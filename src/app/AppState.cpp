#include "app/AppState.h"

#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

namespace {

int32_t DefaultInt(const SettingKey& key) { return ParseInt32(key.defaultValue).value_or(0); }

}  // namespace

AppState& TheApp() {
  static AppState state;
  return state;
}

bool FlagFromText(std::string_view text) { return text != "0"; }

int16_t MouseWarpModeFromText(std::string_view text) {
  return ParseInt16(text).value_or(static_cast<int16_t>(DefaultInt(keys::MouseWarpEnable)));
}

int32_t DietTickLimitFromText(std::string_view text) {
  const auto seconds = ParseInteger(text, 0, kMaxDietSeconds);
  const int64_t s = seconds ? *seconds : DefaultInt(keys::MemDietSec);
  return static_cast<int32_t>(s * 100);
}

uint32_t StartupWaitFromText(std::string_view text) {
  const auto ms = ParseNumber(text);
  if (!ms || *ms <= 0) return 0;
  if (*ms >= kMaxStartupWaitMs) return kMaxStartupWaitMs;
  return static_cast<uint32_t>(RoundHalfEven(*ms));
}

void ReadCoreSettings(AppState& state) {
  state.MouseWarpMode = MouseWarpModeFromText(ReadSetting(keys::MouseWarpEnable));
  state.DietTickLimit = DietTickLimitFromText(ReadSetting(keys::MemDietSec));
  state.AutoDiet = FlagFromText(ReadSetting(keys::MemDietCheck));
}

void ReadStartupWait(AppState& state) { state.StartupWait = StartupWaitFromText(ReadSetting(keys::StartupWait)); }

bool ReadXpTitleMode() { return FlagFromText(ReadSetting(keys::WindowShadeXpMode)); }

}  // namespace qb
