#pragma once
// The shell's task bar as the program under test finds it. Under Wine the desktop process owns a
// hidden "Shell_TrayWnd" of its own, its stand-in for the system tray; a WM_CLOSE sent there would
// hide Wine's system tray for the rest of the run, and a test cannot tell whether it arrived. So,
// while a StandInTaskBar lives, every task-bar window of the system is put out of reach of a
// search among the top-level windows (it becomes a child of a hidden window of the test), and with
// Kind::Present a task bar of the test's own takes its place and records every WM_CLOSE it gets and
// every notify-icon request (the bed's shell32 hands those to the task bar's window as WM_COPYDATA;
// the stand-in accepts each, so its texts, a balloon's among them, can be read back).
// The shell's windows get their place back when the object goes.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "harness/Wait.h"

namespace qb::e2e {

class StandInTaskBar {
public:
  enum class Kind { Present, Absent };
  static constexpr wchar_t kClass[] = L"Shell_TrayWnd";

  explicit StandInTaskBar(Kind kind);
  ~StandInTaskBar();
  StandInTaskBar(const StandInTaskBar&) = delete;
  StandInTaskBar& operator=(const StandInTaskBar&) = delete;

  // False when the stand-in could not be set up (the constructor has reported why).
  [[nodiscard]] bool Ready() const { return ready_; }
  // The test's task bar; null with Kind::Absent.
  [[nodiscard]] HWND Window() const { return window_; }
  // What a search for the task bar by its class finds now, as the program searches for it.
  [[nodiscard]] static HWND Found();

  struct Request {
    WPARAM wParam;
    LPARAM lParam;
  };
  // The WM_CLOSE messages the test's task bar received, in order.
  [[nodiscard]] std::vector<Request> CloseRequests() const;
  // The requests once at least `count` have arrived (fewer on time-out).
  [[nodiscard]] std::vector<Request> WaitForCloseRequests(size_t count, Millis timeout = kDefaultTimeout) const;

  // How many notify-icon requests arrived, and the first text one of them carried that starts with
  // `prefix` (UTF-8), whole to its end; empty when none did. The request's layout is the shell's
  // own affair, so the text is looked for anywhere in it.
  [[nodiscard]] size_t NotifyRequests() const;
  [[nodiscard]] std::string NotifyTextStartingWith(std::string_view prefix) const;
  // The bytes of each notify-icon request of one kind (the shell32 of the bed sends the NIM_...
  // code as the copy's dwData), in order of arrival.
  [[nodiscard]] std::vector<std::string> NotifyRequestsOfKind(ULONG_PTR kind) const;

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(Kind kind);

  HANDLE setUp_ = nullptr;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> holder_{nullptr};
  std::atomic<HWND> window_{nullptr};
  std::vector<HWND> shellBars_;  // moved under the holder; touched only by the stand-in's thread
  std::atomic<size_t> moved_{0};
  bool ready_ = false;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  std::vector<std::wstring> notifications_;
  std::vector<ULONG_PTR> notificationKinds_;
};

}  // namespace qb::e2e
