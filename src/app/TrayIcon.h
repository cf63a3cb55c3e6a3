#pragma once
// The notification-area icon of the resident instance. The shell reports actions on it as
// WM_MOUSEMOVE messages to the owner window. The icon asks for the newer notify-icon protocol
// (version 4), under which the shell also reports the keyboard (Enter or Space on the focused icon,
// Shift+F10 or the menu key): the low word of lParam is the event, its high word the icon id, and
// wParam the icon's anchor point in screen coordinates. A shell that knows only the original
// protocol keeps reporting the mouse message in lParam and the icon id in wParam.
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

  static constexpr UINT kProtocolVersion = NOTIFYICON_VERSION_4;

  // NIM_ADD for `owner` with `icon`, then NIM_SETVERSION. The results are not acted on: without an
  // icon list the program runs on without an icon (hotkeys still work).
  void Add(HWND owner, HICON icon);
  // The shell lost its icons when it restarted; put ours back with the same record.
  void Readd();
  // A balloon from the icon with a title and a text (an information icon). Only informs: nothing
  // waits for it, and a shell without balloons shows nothing.
  void ShowBalloon(std::string_view title, std::string_view text);
  // NIM_SETFOCUS: hands the keyboard focus back to the notification area, as a menu opened from
  // the keyboard must when the user leaves it without choosing anything.
  void ReturnFocus();
  // NIM_DELETE with the record of Add; does nothing when Add was never called.
  void Remove();

  // The message the shell broadcasts when the taskbar is (re)created.
  static UINT TaskbarCreatedMessage();

private:
  void DeclareVersion();

  NOTIFYICONDATAW data_{};
  bool added_ = false;
};

// The icon of a window for the notification area: its class's small icon, else its large one.
HICON WindowIcon(HWND hwnd);

}  // namespace qb
