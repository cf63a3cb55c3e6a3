#include "harness/TrayIcons.h"

#include <shellapi.h>

#include <cwchar>

#include "fixtures/InProcessProbe.h"
#include "harness/InProcess.h"

namespace qb::e2e {

bool TrayIconExists(HWND owner, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = NIF_TIP;
  wcscpy(data.szTip, L"Quorbell");
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

struct IconAtDestroyWatch::Parts {
  explicit Parts(HWND owner)
      : answer(probe::kIconMappingPrefix, sizeof(probe::IconAtDestroy)), hook(GetWindowThreadProcessId(owner, nullptr)) {}
  ProbeAnswer answer;
  ProbeHook hook;
};

IconAtDestroyWatch::IconAtDestroyWatch(HWND owner, UINT iconId) : parts_(std::make_unique<Parts>(owner)) {
  armed_ = parts_->answer.data() != nullptr && parts_->hook.ok() &&
           SendProbeQuery(owner, probe::kWatchIconMessage, static_cast<LPARAM>(iconId));
}

IconAtDestroyWatch::~IconAtDestroyWatch() = default;

std::optional<bool> IconAtDestroyWatch::IconExistedAtDestroy() const {
  auto* result = static_cast<probe::IconAtDestroy*>(parts_->answer.data());
  if (result == nullptr || InterlockedCompareExchange(&result->done, 0, 0) != 1) return std::nullopt;
  return result->iconExisted != 0;
}

}  // namespace qb::e2e
