#pragma once
// Finding and reading windows of other processes. Texts come back as UTF-8.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "harness/Wait.h"

namespace qb::e2e {

struct WindowFilter {
  DWORD processId = 0;                    // 0: any process
  std::optional<std::wstring> className;  // exact, as RegisterClass saw it
  std::optional<std::wstring> caption;    // exact window text
  bool visibleOnly = false;
};

// The visible windows of that class in that process.
inline WindowFilter VisibleWindowsOf(DWORD processId, std::wstring className) {
  WindowFilter filter;
  filter.processId = processId;
  filter.className = std::move(className);
  filter.visibleOnly = true;
  return filter;
}

// Top-level windows (EnumWindows order: top of the z-order first).
std::vector<HWND> TopLevelWindows(const WindowFilter& filter);
// The first matching top-level window once one exists; null on time-out.
HWND WaitForWindow(const WindowFilter& filter, Millis timeout = kDefaultTimeout);
// True when no matching window exists (any more) within `timeout`.
bool WaitForNoWindow(const WindowFilter& filter, Millis timeout = kDefaultTimeout);
// True when no matching window shows up during the whole `period`.
bool StaysWithoutWindow(const WindowFilter& filter, Millis period = kQuietPeriod);

// All descendants of `parent`, in EnumChildWindows order.
std::vector<HWND> ChildWindows(HWND parent);
// The first descendant with that class and/or text (nullopt matches anything).
HWND FindChild(HWND parent, std::optional<std::wstring_view> className, std::optional<std::string_view> text);

std::string ClassName(HWND hwnd);
// WM_GETTEXT through SendMessageTimeout, so a hung target cannot hang the test.
std::string WindowText(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
// The window with the keyboard focus in the thread that owns `hwnd` (null when none).
HWND FocusOf(HWND hwnd);
RECT WindowRect(HWND hwnd);
// Client rectangle in screen coordinates.
RECT ClientRectOnScreen(HWND hwnd);
bool Visible(HWND hwnd);
LONG_PTR Style(HWND hwnd);
LONG_PTR ExStyle(HWND hwnd);

struct RegionInfo {
  int type = ERROR;  // GetWindowRgn: ERROR (no region), NULLREGION, SIMPLEREGION or COMPLEXREGION
  RECT box{};        // bounding box in window coordinates
};
RegionInfo WindowRegion(HWND hwnd);

struct LayeredInfo {
  COLORREF colorKey = 0;
  BYTE alpha = 255;
  DWORD flags = 0;  // LWA_ALPHA and/or LWA_COLORKEY
};
// nullopt when the window is not layered or the attributes cannot be read.
std::optional<LayeredInfo> LayeredAttributes(HWND hwnd);

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;                  // the message (the static control with text)
  std::vector<std::string> buttons;  // captions in creation order, '&' removed
};
// Dialog windows (class #32770) of a process.
std::vector<HWND> DialogWindows(DWORD processId);
MessageBoxInfo ReadMessageBox(HWND dialog);
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Millis timeout = kDefaultTimeout);
// Presses the button with that caption ('&' ignored) by posting its WM_COMMAND (BN_CLICKED) to
// the dialog, which is what a click ends in and works whether or not the dialog is active.
[[nodiscard]] bool PressButton(HWND dialog, std::string_view caption);

}  // namespace qb::e2e
