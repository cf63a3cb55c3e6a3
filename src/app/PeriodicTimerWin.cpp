// The main window's periodic timer: every 10 ms the automatic memory diet and the mouse warp. The timer exists only
// while one of them is on, so a program using neither never wakes up for it.
#include <windows.h>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/PopupMenu.h"
#include "platform/DebugLog.h"

namespace qb {

namespace {

constexpr UINT_PTR kPeriodicTimerId = 1;
constexpr UINT kPeriodicTimerIntervalMs = 10;

}  // namespace

void MainWindow::UpdatePeriodicTimer() {
  if (Hwnd() == nullptr) return;
  const AppState& app = TheApp();
  const bool needed = PeriodicTimerNeeded(app.AutoDiet, app.MouseWarpMode);
  if (needed && !periodicTimerRunning_) {
    periodicTimerRunning_ = Tolerate(SetTimer(Hwnd(), kPeriodicTimerId, kPeriodicTimerIntervalMs, nullptr) != 0, "SetTimer");
  } else if (!needed && periodicTimerRunning_) {
    Tolerate(KillTimer(Hwnd(), kPeriodicTimerId) != FALSE, "KillTimer");
    periodicTimerRunning_ = false;
  }
}

bool MainWindow::IsPeriodicTimer(UINT_PTR id) { return id == kPeriodicTimerId; }

void MainWindow::OnPeriodicTimer() {
  const AppState& app = TheApp();
  // The diet counter resets whether or not the process then starts.
  if (app.AutoDiet && dietCounter_.Tick(app.DietTickLimit)) StartOwnProcess("Diet");

  if (!MouseWarpOn(app.MouseWarpMode)) return;
  POINT pointer{};
  // No pointer position (a secure desktop, for instance): nothing to warp this tick. Not logged,
  // as it would repeat every 10 ms.
  if (!GetCursorPos(&pointer)) return;
  // The primary screen only, also on a desktop of several monitors.
  const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const WarpMoves warp = MouseWarpMoves({pointer.x, pointer.y}, screen);
  for (int i = 0; i < warp.count; ++i) SetCursorPos(warp.moves[static_cast<size_t>(i)].x, warp.moves[static_cast<size_t>(i)].y);
}

}  // namespace qb
