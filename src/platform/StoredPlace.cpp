#include "platform/StoredPlace.h"

#include "platform/DebugLog.h"
#include "platform/WindowHelpers.h"

namespace qb {

void StoredPlace::BringOntoScreen(HWND window) {
  beforeScreenChange_.reset();
  keepStored_ = qb::BringOntoScreen(window);
}

void StoredPlace::Placed(bool keepStored) noexcept {
  beforeScreenChange_.reset();
  keepStored_ = keepStored;
}

void StoredPlace::MovedByUser() noexcept { Placed(false); }

bool StoredPlace::DragByItsBody(HWND window) {
  RECT before{};
  if (!GetWindowRect(window, &before)) return false;
  DragWindowByItsBody(window);
  RECT after{};
  if (!IsWindow(window) || !GetWindowRect(window, &after) || EqualRect(&before, &after)) return false;
  MovedByUser();
  return true;
}

void StoredPlace::OnDisplayChange(HWND window) {
  RECT before{};
  if (!GetWindowRect(window, &before)) return;
  if (qb::BringOntoScreen(window) && !keepStored_ && !beforeScreenChange_) {
    beforeScreenChange_ = PixelPoint{before.left, before.top};
  }
}

std::optional<PixelPoint> StoredPlace::PlaceToStore(HWND window) const {
  if (keepStored_) return std::nullopt;
  if (beforeScreenChange_) return beforeScreenChange_;
  RECT shown{};
  if (!Tolerate(GetWindowRect(window, &shown) != FALSE, "GetWindowRect(place to store)")) return std::nullopt;
  return PixelPoint{shown.left, shown.top};
}

}  // namespace qb
