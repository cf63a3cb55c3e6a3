#pragma once
// The notification-area icon of the resident instance. The shell reports mouse actions on it as
// WM_MOUSEMOVE messages to the owner window whose lParam is the mouse message (the original
// notify-icon protocol, version 0).
#include <windows.h>

#include <shellapi.h>

#include <string_view>

namespace qb {

class TrayIcon {
public:
  static constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
  static constexpr UINT kIconId = 1;
  static constexpr wchar_t kTip[] = L"Quorbell";

  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // NIM_ADD for `owner` with `icon`. The result is not acted on: without an icon list the
  // program runs on without an icon (hotkeys still work).
  void Add(HWND owner, HICON icon);
  // The shell lost its icons when it restarted; put ours back with the same record.
  void Readd();
  // A balloon from the icon with a title and a text (an information icon). Only informs: nothing
  // waits for it, and a shell without balloons shows nothing.
  void ShowBalloon(std::string_view title, std::string_view text);
  // NIM_DELETE with the record of Add; does nothing when Add was never called.
  void Remove();

  // The message the shell broadcasts when the taskbar is (re)created.
  static UINT TaskbarCreatedMessage();

private:
  NOTIFYICONDATAW data_{};
  bool added_ = false;
};

// The icon of a window for the notification area: its class's small icon, else its large one.
HICON WindowIcon(HWND hwnd);

}  // namespace qb
