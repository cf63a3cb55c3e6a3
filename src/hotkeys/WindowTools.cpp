#include "hotkeys/WindowTools.h"

#include <string>

#include "app/AppState.h"
#include "hotkeys/TargetWindow.h"
#include "hotkeys/ToolState.h"
#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/OsVersion.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// Layered windows arrived with Windows 2000 (major version 5).
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

bool HasLayeredWindows() { return GetOsMajorVersion() >= kFirstLayeredMajorVersion; }

}  // namespace

void SetWindowAlpha(HWND window, uint8_t alpha) {
  if (!HasLayeredWindows()) return;
  WriteExStyle(window, ReadExStyle(window) | WS_EX_LAYERED);
  Tolerate(SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE, "SetLayeredWindowAttributes");
}

HWND FindChildWindow(HWND parent, HWND childAfter, std::string_view className, std::string_view windowName) {
  const std::wstring cls = Widen(className);
  const std::wstring name = Widen(windowName);
  return FindWindowExW(parent, childAfter, cls.empty() ? nullptr : cls.c_str(), name.empty() ? nullptr : name.c_str());
}

bool PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageW(window, message, wParam, lParam) != FALSE;
}

void ToggleWindowShade() {
  const HWND window = GetForegroundWindow();
  RECT rect{};
  Tolerate(GetWindowRect(window, &rect) != FALSE, "GetWindowRect");
  const std::optional<PixelRect> shape =
      NextShadeRegion(TheWindowTools().ShadeActive, rect.right, TheApp().XpTitleMode);
  if (!shape) {
    // Rolling back removes the region: the window gets its own full shape back, whatever its size.
    Tolerate(SetWindowRgn(window, nullptr, TRUE) != 0, "SetWindowRgn(none)");
    return;
  }
  UniqueRegion region(CreateRectRgn(shape->left, shape->top, shape->right, shape->bottom));
  if (!Tolerate(region.valid(), "CreateRectRgn")) return;
  // On success the system owns the region; on failure it is still ours to delete.
  if (Tolerate(SetWindowRgn(window, region.get(), TRUE) != 0, "SetWindowRgn")) static_cast<void>(region.release());
}

void SetForegroundAlpha(uint8_t alpha) {
  if (!HasLayeredWindows()) return;
  SetWindowAlpha(GetForegroundWindow(), alpha);
}

void ResetForegroundAlpha() {
  if (!HasLayeredWindows()) return;
  const HWND window = GetForegroundWindow();
  // Fully opaque first, so that dropping the layered style shows no flash of the old opacity.
  WriteExStyle(window, ReadExStyle(window) | WS_EX_LAYERED);
  Tolerate(SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA) != FALSE, "SetLayeredWindowAttributes");
  WriteExStyle(window, ReadExStyle(window) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

void RaiseForegroundAlpha() {
  AppState& app = TheApp();
  app.AlphaLevel = AlphaLevelUp(app.AlphaLevel);
  SetForegroundAlpha(app.AlphaLevel);
}

void LowerForegroundAlpha() {
  AppState& app = TheApp();
  app.AlphaLevel = AlphaLevelDown(app.AlphaLevel);
  SetForegroundAlpha(app.AlphaLevel);
}

void ToggleTopmost() {
  TargetWindow = GetForegroundWindow();
  const HWND after = NextTopmost(TheWindowTools().TopmostActive) ? HWND_TOPMOST : HWND_NOTOPMOST;
  Tolerate(SetWindowPos(TargetWindow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE, "SetWindowPos(topmost)");
}

}  // namespace qb
