#include "harness/StandInTaskBar.h"

#include "platform/WinText.h"

#include <gtest/gtest.h>

#include "harness/WindowQueries.h"

namespace qb::e2e {

namespace {

// Posted to the holder: give the shell its task bars back and end the thread.
constexpr UINT kRestore = WM_APP + 1;
constexpr wchar_t kHolderClass[] = L"QuorbellE2E.TaskBarHolder";

std::vector<HWND> TaskBarsOfOthers() {
  std::vector<HWND> bars;
  for (HWND bar = nullptr; (bar = FindWindowExW(nullptr, bar, StandInTaskBar::kClass, nullptr)) != nullptr;) {
    if (ProcessOf(bar) != GetCurrentProcessId()) bars.push_back(bar);
  }
  return bars;
}

}  // namespace

StandInTaskBar::StandInTaskBar(Kind kind) {
  setUp_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, kind] { Run(kind); });
  WaitForSingleObject(setUp_, ToDword(kDefaultTimeout));
  HWND expected = kind == Kind::Present ? window_.load() : nullptr;
  ready_ = holder_ != nullptr && (kind == Kind::Absent || expected != nullptr) && Found() == expected;
  if (!ready_) ADD_FAILURE() << "the task bar could not be replaced: a search finds " << Found();
}

StandInTaskBar::~StandInTaskBar() {
  if (HWND holder = holder_.load()) {
    PostMessageW(holder, kRestore, 0, 0);
  } else if (threadId_ != 0) {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  }
  if (thread_.joinable()) thread_.join();
  CloseHandle(setUp_);
  if (moved_ != 0) {
    EXPECT_TRUE(Found() != nullptr) << "the shell's task bar did not come back";
  }
}

HWND StandInTaskBar::Found() { return FindWindowW(kClass, nullptr); }

std::vector<StandInTaskBar::Request> StandInTaskBar::CloseRequests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

size_t StandInTaskBar::NotifyRequests() const {
  const std::lock_guard lock(mutex_);
  return notifications_.size();
}

std::string StandInTaskBar::NotifyTextStartingWith(std::string_view prefix) const {
  const std::wstring wanted = Widen(prefix);
  const std::lock_guard lock(mutex_);
  for (const std::wstring& payload : notifications_) {
    const size_t at = payload.find(wanted);
    if (at == std::wstring::npos) continue;
    const size_t end = payload.find(L'\0', at);
    return Narrow(payload.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at));
  }
  return {};
}

std::vector<std::string> StandInTaskBar::NotifyRequestsOfKind(ULONG_PTR kind) const {
  const std::lock_guard lock(mutex_);
  std::vector<std::string> found;
  for (size_t i = 0; i < notifications_.size(); ++i) {
    if (notificationKinds_[i] != kind) continue;
    const std::wstring& payload = notifications_[i];
    found.emplace_back(reinterpret_cast<const char*>(payload.data()), payload.size() * sizeof(wchar_t));
  }
  return found;
}

std::vector<StandInTaskBar::Request> StandInTaskBar::WaitForCloseRequests(size_t count, Millis timeout) const {
  WaitUntil([&] { return CloseRequests().size() >= count; }, timeout);
  return CloseRequests();
}

LRESULT CALLBACK StandInTaskBar::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<StandInTaskBar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (hwnd == self->holder_ && message == kRestore) {
    if (HWND own = self->window_.exchange(nullptr)) DestroyWindow(own);
    // Back among the top-level windows, where the shell and Wine's own tray calls look for them.
    for (HWND bar : self->shellBars_) SetParent(bar, nullptr);
    self->shellBars_.clear();
    DestroyWindow(hwnd);
    self->holder_ = nullptr;
    PostQuitMessage(0);
    return 0;
  }
  if (hwnd == self->window_ && message == WM_COPYDATA) {
    // A notify-icon request (the shell32 of the bed hands each one to the task bar's window).
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::wstring payload(data->cbData / sizeof(wchar_t), L'\0');
    if (data->lpData != nullptr) memcpy(payload.data(), data->lpData, payload.size() * sizeof(wchar_t));
    const std::lock_guard lock(self->mutex_);
    self->notifications_.push_back(std::move(payload));
    self->notificationKinds_.push_back(data->dwData);
    return TRUE;
  }
  if (hwnd == self->window_ && message == WM_CLOSE) {
    // A task bar does not close: the shell answers with its shut-down dialog.
    const std::lock_guard lock(self->mutex_);
    self->requests_.push_back({wParam, lParam});
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void StandInTaskBar::Run(Kind kind) {
  threadId_ = GetCurrentThreadId();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const wchar_t* name : {kHolderClass, kClass}) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &StandInTaskBar::Proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);  // already registered by an earlier stand-in: fine
  }
  holder_ = CreateWindowExW(0, kHolderClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
  if (holder_ != nullptr) {
    for (HWND bar : TaskBarsOfOthers()) {
      if (SetParent(bar, holder_) != nullptr) shellBars_.push_back(bar);
    }
    moved_ = shellBars_.size();
    if (kind == Kind::Present) {
      window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    }
  }
  SetEvent(setUp_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace qb::e2e
