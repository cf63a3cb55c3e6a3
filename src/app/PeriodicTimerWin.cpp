// The main window's background features. The automatic memory diet is a timer of its own period;
// the mouse warp follows the mouse's own movement (raw input, delivered to the main window also
// while other programs have the focus), so a resting mouse costs nothing. Neither exists while it
// is off.
#include <windows.h>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/PopupMenu.h"
#include "platform/DebugLog.h"

namespace qb {

namespace {

constexpr UINT_PTR kDietTimerId = 1;

// The generic desktop controls' mouse (usage page 1, usage 2).
RAWINPUTDEVICE MouseDevice(HWND target, DWORD flags) {
  RAWINPUTDEVICE device{};
  device.usUsagePage = 0x01;
  device.usUsage = 0x02;
  device.dwFlags = flags;
  device.hwndTarget = target;
  return device;
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
  if (warp && !mouseWatched_) {
    const RAWINPUTDEVICE device = MouseDevice(Hwnd(), RIDEV_INPUTSINK);
    mouseWatched_ = Tolerate(RegisterRawInputDevices(&device, 1, sizeof device) != FALSE, "RegisterRawInputDevices");
  } else if (!warp && mouseWatched_) {
    const RAWINPUTDEVICE device = MouseDevice(nullptr, RIDEV_REMOVE);
    Tolerate(RegisterRawInputDevices(&device, 1, sizeof device) != FALSE, "RegisterRawInputDevices(remove)");
    mouseWatched_ = false;
  }
}

bool MainWindow::IsPeriodicTimer(UINT_PTR id) { return id == kDietTimerId; }

void MainWindow::OnPeriodicTimer() {
  if (TheApp().AutoDiet) StartOwnProcess("Diet");
}

void MainWindow::OnMouseInput() {
  if (!MouseWarpOn(TheApp().MouseWarpMode)) return;
  POINT pointer{};
  // No pointer position (a secure desktop, for instance): nothing to warp. Not logged, as it would
  // repeat with every movement.
  if (!GetCursorPos(&pointer)) return;
  // The primary screen only, also on a desktop of several monitors.
  const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const WarpMoves warp = MouseWarpMoves({pointer.x, pointer.y}, screen);
  // A corner crosses both edges at once: the moves are made in order and the last one stands.
  for (int i = 0; i < warp.count; ++i) SetCursorPos(warp.moves[static_cast<size_t>(i)].x, warp.moves[static_cast<size_t>(i)].y);
}

}  // namespace qb
