#pragma once
// What a window that stores its place (its top-left corner) should store when it is closed. It
// stores the place it shows, except while it shows elsewhere than stored because its stored place
// lies on no monitor (the stored place is kept), or since a monitor went away from under it (the
// place the user gave it on that monitor is kept), until the user moves it again.
#include <windows.h>

#include <optional>

#include "common/Geometry.h"

namespace qb {

class StoredPlace {
public:
  // The window stands at its stored place: brings it onto the nearest work area when that place
  // lies on no monitor, and keeps the stored place if it did.
  void BringOntoScreen(HWND window);
  // The window stands where the caller put it; `keepStored` says whether that place still stands
  // for the stored one.
  void Placed(bool keepStored) noexcept;
  // The user moved the window: the place it shows is its own from now on.
  void MovedByUser() noexcept;
  // The drag of a borderless window by its body (call it while handling the button press); a
  // drag that moved the window counts as the user moving it. True when it moved; false also when
  // the window went away meanwhile.
  bool DragByItsBody(HWND window);
  // The monitors changed (WM_DISPLAYCHANGE): a window left outside every monitor comes to the
  // nearest work area and remembers where it stood.
  void OnDisplayChange(HWND window);

  [[nodiscard]] bool KeepsStoredPlace() const noexcept { return keepStored_; }
  // The place to store now; nothing when the stored place is to stay as it is.
  [[nodiscard]] std::optional<PixelPoint> PlaceToStore(HWND window) const;

private:
  bool keepStored_ = false;
  std::optional<PixelPoint> beforeScreenChange_;
};

}  // namespace qb
