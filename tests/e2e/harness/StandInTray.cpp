#include "harness/StandInTray.h"

#include "harness/Wait.h"
#include "platform/WinText.h"

namespace qb::e2e {

StandInTray::StandInTray() {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this] { Run(); });
  WaitForSingleObject(ready_, ToDword(kDefaultTimeout));
}

StandInTray::~StandInTray() {
  if (HWND w = window_.load()) PostMessageW(w, WM_CLOSE, 0, 0);
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (thread_.joinable()) thread_.join();
  CloseHandle(ready_);
}

size_t StandInTray::Requests() const {
  std::lock_guard lock(mutex_);
  return payloads_.size();
}

std::string StandInTray::TextStartingWith(std::string_view prefix) const {
  const std::wstring wanted = Widen(prefix);
  std::lock_guard lock(mutex_);
  for (const std::wstring& payload : payloads_) {
    const size_t at = payload.find(wanted);
    if (at == std::wstring::npos) continue;
    const size_t end = payload.find(L'\0', at);
    return Narrow(payload.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at));
  }
  return {};
}

LRESULT CALLBACK StandInTray::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<StandInTray*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_COPYDATA && self != nullptr) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::wstring payload(data->cbData / sizeof(wchar_t), L'\0');
    if (data->lpData != nullptr) memcpy(payload.data(), data->lpData, payload.size() * sizeof(wchar_t));
    std::lock_guard lock(self->mutex_);
    self->payloads_.push_back(std::move(payload));
    return TRUE;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void StandInTray::Run() {
  threadId_ = GetCurrentThreadId();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  RegisterClassExW(&wc);  // already registered by an earlier stand-in: fine
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  if (w != nullptr) {
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // First in the z-order, so that a search by class finds it before the shell's own.
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  window_ = w;
  SetEvent(ready_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

}  // namespace qb::e2e
