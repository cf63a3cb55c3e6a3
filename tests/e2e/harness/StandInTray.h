#pragma once
// A stand-in for the shell's notification area: a hidden top-level "Shell_TrayWnd" window made in
// the test process after Wine's own, so that it is the one a program's Shell_NotifyIcon finds
// first. It answers every notify-icon request as accepted and keeps the texts each request
// carried, so a scenario can read what a balloon said. Its window lives on a thread of its own
// with a message loop, as the shell's windows live in the shell's process.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qb::e2e {

class StandInTray {
public:
  StandInTray();
  ~StandInTray();
  StandInTray(const StandInTray&) = delete;
  StandInTray& operator=(const StandInTray&) = delete;

  // Null when the stand-in could not be built.
  [[nodiscard]] HWND Window() const { return window_; }
  // How many notify-icon requests arrived (add, modify, delete...).
  [[nodiscard]] size_t Requests() const;
  // The first text of a request that starts with `prefix` (UTF-8), whole to its end; empty when no
  // request carried one. The request's layout is the shell's own affair, so the text is looked for
  // anywhere in it.
  [[nodiscard]] std::string TextStartingWith(std::string_view prefix) const;

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Run();

  HANDLE ready_ = nullptr;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> window_{nullptr};
  mutable std::mutex mutex_;
  std::vector<std::wstring> payloads_;
};

}  // namespace qb::e2e
