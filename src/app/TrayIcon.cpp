#include "app/TrayIcon.h"

#include <cwchar>

#include "platform/DebugLog.h"

namespace qb {

void TrayIcon::Add(HWND owner, HICON icon) {
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = kIconId;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kCallbackMessage;
  data_.hIcon = icon;
  wcsncpy(data_.szTip, kTip, sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1);
  added_ = true;
  Tolerate(Shell_NotifyIconW(NIM_ADD, &data_) != FALSE, "Shell_NotifyIconW(NIM_ADD)");
}

void TrayIcon::Readd() {
  if (!added_) return;
  Tolerate(Shell_NotifyIconW(NIM_ADD, &data_) != FALSE, "Shell_NotifyIconW(NIM_ADD) after TaskbarCreated");
}

void TrayIcon::Remove() {
  if (!added_) return;
  added_ = false;
  Tolerate(Shell_NotifyIconW(NIM_DELETE, &data_) != FALSE, "Shell_NotifyIconW(NIM_DELETE)");
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

HICON WindowIcon(HWND hwnd) {
  if (const auto smallIcon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM))) return smallIcon;
  return reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
}

}  // namespace qb
