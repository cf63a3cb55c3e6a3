#pragma once
// Notification-area icons of the program under test, as the shell knows them.
#include <windows.h>

#include <memory>
#include <optional>

namespace qb::e2e {

// True while the shell holds an icon of `owner` with that id (the shell accepts a change of its
// tip only then).
bool TrayIconExists(HWND owner, UINT id);

// Watches a window of the program from inside it: when the window is destroyed, the probe asks
// the shell whether the window's icon still exists at that moment. After the window is gone, an
// icon of a destroyed window may be cleaned up by the shell sooner or later, so only this tells
// whether the program removed its icon itself before its window went away.
class IconAtDestroyWatch {
public:
  IconAtDestroyWatch(HWND owner, UINT iconId);
  ~IconAtDestroyWatch();
  IconAtDestroyWatch(const IconAtDestroyWatch&) = delete;
  IconAtDestroyWatch& operator=(const IconAtDestroyWatch&) = delete;
  [[nodiscard]] bool Armed() const { return armed_; }
  // Once the window has been destroyed: whether its icon still existed then; nullopt before.
  [[nodiscard]] std::optional<bool> IconExistedAtDestroy() const;

private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  bool armed_ = false;
};

}  // namespace qb::e2e
