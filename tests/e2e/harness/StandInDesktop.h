#pragma once
// A stand-in for the shell's desktop, built in the test process because Wine has none: a
// top-level "Progman" window with a "SHELLDLL_DefView" holding a real list view with a few
// labelled icons, or (as newer Windows arranges it) the view under a top-level "WorkerW" window.
// Its windows live on a thread of their own with a message loop, as the shell's live in the
// shell's process, so that the program's messages to them are answered while the test waits.
#include <windows.h>

#include <atomic>
#include <thread>

namespace qb::e2e {

class StandInDesktop {
public:
  enum class ViewParent { Progman, WorkerW };

  // The list's labels start with `textBackground` behind them, over a desktop-blue background.
  explicit StandInDesktop(COLORREF textBackground, ViewParent parent = ViewParent::Progman);
  // Destroys the windows, as a shell that ends does.
  ~StandInDesktop();
  StandInDesktop(const StandInDesktop&) = delete;
  StandInDesktop& operator=(const StandInDesktop&) = delete;

  // Null when the stand-in could not be built.
  [[nodiscard]] HWND List() const { return list_; }
  // The top-level window that holds the view, for screenshots.
  [[nodiscard]] HWND Desktop() const;

  // The list's text background as it answers now; CLR_DEFAULT when it does not answer.
  [[nodiscard]] COLORREF TextBackground() const;
  [[nodiscard]] bool WaitForTextBackground(COLORREF expected) const;

private:
  void Run(COLORREF textBackground, ViewParent parent);
  void FillWithIcons();

  HANDLE ready_ = nullptr;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> progman_{nullptr};
  std::atomic<HWND> worker_{nullptr};
  std::atomic<HWND> list_{nullptr};
};

}  // namespace qb::e2e
