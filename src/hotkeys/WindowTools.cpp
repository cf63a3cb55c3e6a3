#include "hotkeys/WindowTools.h"

#include <string>

#include "platform/DebugLog.h"
#include "platform/OsVersion.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// Layered windows arrived with Windows 2000 (major version 5).
constexpr int kFirstLayeredMajorVersion = 5;

}  // namespace

void SetWindowAlpha(HWND window, uint8_t alpha) {
  if (GetOsMajorVersion() < kFirstLayeredMajorVersion) return;
  // SetWindowLongPtr answers 0 both for failure and for a previous style of 0: clear the last
  // error first so that only a real failure is logged.
  SetLastError(0);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  Tolerate(exStyle != 0 || GetLastError() == 0, "GetWindowLongPtrW(GWL_EXSTYLE)");
  SetLastError(0);
  const LONG_PTR previous = SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  Tolerate(previous != 0 || GetLastError() == 0, "SetWindowLongPtrW(GWL_EXSTYLE)");
  Tolerate(SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE, "SetLayeredWindowAttributes");
}

HWND FindChildWindow(HWND parent, HWND childAfter, std::string_view className, std::string_view windowName) {
  const std::wstring cls = Widen(className);
  const std::wstring name = Widen(windowName);
  return FindWindowExW(parent, childAfter, cls.empty() ? nullptr : cls.c_str(), name.empty() ? nullptr : name.c_str());
}

}  // namespace qb
