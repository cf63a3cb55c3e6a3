// The main window's background features. The automatic memory diet is a timer of its own period;
// the mouse warp follows the mouse's own movement (a low-level mouse hook, which sees every move
// whichever program has the focus, injected moves included), so a resting mouse costs nothing.
// Neither exists while it is off.
#include <windows.h>

#include <atomic>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/PopupMenu.h"
#include "platform/DebugLog.h"

namespace qb {

namespace {

constexpr UINT_PTR kDietTimerId = 1;

HWND warpWindow = nullptr;
std::atomic<bool> warpCheckPending{false};

// Runs for every mouse event of the session, before the pointer has moved: it only asks the main
// window to look at the pointer once the event has been applied, and lets the event go on at once
// (a slow hook would make the whole desktop's mouse lag).
LRESULT CALLBACK WatchMouse(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE && warpWindow != nullptr && !warpCheckPending.exchange(true)) {
    if (!PostMessageW(warpWindow, MainWindow::kWarpCheckMessage, 0, 0)) warpCheckPending = false;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void MainWindow::UpdatePeriodicTimer() {
  if (Hwnd() == nullptr) return;
  const AppState& app = TheApp();

  if (app.AutoDiet) {
    // Setting it again restarts the period with the current value.
    dietTimerRunning_ = Tolerate(SetTimer(Hwnd(), kDietTimerId, DietTimerPeriodMs(app.DietTickLimit), nullptr) != 0,
                                 "SetTimer(diet)");
  } else if (dietTimerRunning_) {
    Tolerate(KillTimer(Hwnd(), kDietTimerId) != FALSE, "KillTimer(diet)");
    dietTimerRunning_ = false;
  }

  const bool warp = MouseWarpOn(app.MouseWarpMode);
  if (warp && mouseHook_ == nullptr) {
    warpWindow = Hwnd();
    mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, WatchMouse, GetModuleHandleW(nullptr), 0);
    Tolerate(mouseHook_ != nullptr, "SetWindowsHookExW(WH_MOUSE_LL)");
  } else if (!warp && mouseHook_ != nullptr) {
    Tolerate(UnhookWindowsHookEx(mouseHook_) != FALSE, "UnhookWindowsHookEx");
    mouseHook_ = nullptr;
    warpWindow = nullptr;
  }
}

bool MainWindow::IsPeriodicTimer(UINT_PTR id) { return id == kDietTimerId; }

void MainWindow::OnPeriodicTimer() {
  if (TheApp().AutoDiet) StartOwnProcess("Diet");
}

void MainWindow::OnWarpCheck() {
  warpCheckPending = false;
  if (!MouseWarpOn(TheApp().MouseWarpMode)) return;
  // The primary screen only, also on a desktop of several monitors.
  const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // A corner crosses two edges: the second look takes the pointer across the other one.
  for (int look = 0; look < 2; ++look) {
    POINT pointer{};
    // No pointer position (a secure desktop, for instance): nothing to warp. Not logged, as it
    // would repeat with every movement.
    if (!GetCursorPos(&pointer)) return;
    const WarpMoves warp = MouseWarpMoves({pointer.x, pointer.y}, screen);
    if (warp.count == 0) return;
    for (int i = 0; i < warp.count; ++i) SetCursorPos(warp.moves[static_cast<size_t>(i)].x, warp.moves[static_cast<size_t>(i)].y);
  }
}

}  // namespace qb
