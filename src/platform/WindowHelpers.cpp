#include "platform/WindowHelpers.h"

#include <string>

#include "common/Geometry.h"
#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/OsVersion.h"
#include "platform/WinText.h"

namespace qb {

namespace {

constexpr int kFirstLayeredMajorVersion = 5;

// GetWindowLongPtr and SetWindowLongPtr answer 0 both for failure and for a style of 0: the last
// error is cleared first so that only a real failure is logged.
LONG_PTR ReadExStyle(HWND window) {
  SetLastError(0);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  Tolerate(exStyle != 0 || GetLastError() == 0, "GetWindowLongPtrW(GWL_EXSTYLE)");
  return exStyle;
}

void WriteExStyle(HWND window, LONG_PTR exStyle) {
  SetLastError(0);
  const LONG_PTR previous = SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
  Tolerate(previous != 0 || GetLastError() == 0, "SetWindowLongPtrW(GWL_EXSTYLE)");
}

}  // namespace

bool HasLayeredWindows() { return GetOsMajorVersion() >= kFirstLayeredMajorVersion; }

void SetWindowAlpha(HWND window, uint8_t alpha) {
  if (!HasLayeredWindows()) return;
  WriteExStyle(window, ReadExStyle(window) | WS_EX_LAYERED);
  Tolerate(SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE, "SetLayeredWindowAttributes");
}

void RemoveWindowAlpha(HWND window) {
  if (!HasLayeredWindows()) return;
  // Fully opaque first, so that dropping the layered style shows no flash of the old opacity.
  SetWindowAlpha(window, 255);
  WriteExStyle(window, ReadExStyle(window) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

HWND FindChildWindow(HWND parent, HWND childAfter, std::string_view className, std::string_view windowName) {
  const std::wstring cls = Widen(className);
  const std::wstring name = Widen(windowName);
  return FindWindowExW(parent, childAfter, cls.empty() ? nullptr : cls.c_str(), name.empty() ? nullptr : name.c_str());
}

bool PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageW(window, message, wParam, lParam) != FALSE;
}

std::string WindowTextOf(HWND window) {
  if (window == nullptr) return {};
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return Narrow(text);
}

void DragWindowByItsBody(HWND window) {
  // The move starts from where the button went down, not from where the pointer is by the time
  // the press is handled: on a busy machine the pointer may already have travelled, and the window
  // would then lag behind it by that distance for the whole drag.
  const DWORD pressedAt = GetMessagePos();
  ReleaseCapture();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(pressedAt));
}

bool BringOntoScreen(HWND window) {
  RECT rect{};
  if (!Tolerate(GetWindowRect(window, &rect) != FALSE, "GetWindowRect")) return false;
  MONITORINFO nearest{};
  nearest.cbSize = sizeof nearest;
  if (!Tolerate(GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &nearest) != FALSE,
                "GetMonitorInfoW")) {
    return false;
  }
  const bool onSomeMonitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
  const RECT& work = nearest.rcWork;
  const auto place = PlaceOnScreen({rect.left, rect.top, rect.right, rect.bottom}, onSomeMonitor,
                                   {work.left, work.top, work.right, work.bottom});
  if (!place) return false;
  return Tolerate(SetWindowPos(window, nullptr, place->x, place->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
                  "SetWindowPos(onto the screen)");
}

}  // namespace qb
