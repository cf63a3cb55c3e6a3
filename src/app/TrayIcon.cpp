#include "app/TrayIcon.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// Copies `text` into a fixed field of `size` characters with its terminating zero, never ending
// on the first half of a surrogate pair.
void CopyCut(const std::wstring& text, wchar_t* field, size_t size) {
  size_t n = std::min(text.size(), size - 1);
  if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  std::copy_n(text.data(), n, field);
  field[n] = L'\0';
}

}  // namespace

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
  DeclareVersion();
}

void TrayIcon::DeclareVersion() {
  // The version lasts as long as the icon: a new NIM_ADD starts from the original protocol.
  NOTIFYICONDATAW version = data_;
  version.uVersion = kProtocolVersion;
  Tolerate(Shell_NotifyIconW(NIM_SETVERSION, &version) != FALSE, "Shell_NotifyIconW(NIM_SETVERSION)");
}

void TrayIcon::ReturnFocus() {
  if (!added_) return;
  Tolerate(Shell_NotifyIconW(NIM_SETFOCUS, &data_) != FALSE, "Shell_NotifyIconW(NIM_SETFOCUS)");
}

void TrayIcon::Readd() {
  if (!added_) return;
  Tolerate(Shell_NotifyIconW(NIM_ADD, &data_) != FALSE, "Shell_NotifyIconW(NIM_ADD) after TaskbarCreated");
  DeclareVersion();
}

void TrayIcon::ShowBalloon(std::string_view title, std::string_view text) {
  if (!added_) return;
  NOTIFYICONDATAW balloon = data_;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = NIIF_INFO;
  balloon.uTimeout = 10000;  // what systems before Vista read; later ones use the user's setting
  // Longer texts are cut at the field's size, on a character boundary.
  const std::wstring wideTitle = Widen(title), wideText = Widen(text);
  CopyCut(wideTitle, balloon.szInfoTitle, std::size(balloon.szInfoTitle));
  CopyCut(wideText, balloon.szInfo, std::size(balloon.szInfo));
  Tolerate(Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE, "Shell_NotifyIconW(NIM_MODIFY, balloon)");
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
