#pragma once
// The hidden main window. It owns the process: Load decides the role of the process and,
// for the resident instance, creates the window and starts every feature in order; Unload stops
// them in order and ends the message loop.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/MenuModel.h"
#include "app/PeriodicTimer.h"
#include "app/TrayIcon.h"
#include "common/AppIdentity.h"
#include "common/OpenWork.h"
#include "platform/SingleInstance.h"
#include "platform/WindowBase.h"

namespace qb {

class MainWindow : public WindowBase<MainWindow> {
public:
  static constexpr std::string_view kAlreadyRunningMessage = "Quorbellは既に起動中です.";

  static const wchar_t* ClassName() { return L"Quorbell.MainWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // The start-up. Answers nullopt when this process stays resident (run the message loop), or
  // the exit code when it has done its work (a helper role, or a failure to create the window).
  std::optional<int> Load();
  // The orderly shutdown; every step runs even when an earlier one fails. Safe to call twice.
  void Unload();
  void OnClose();

  // "Save what is open": windows holding unsaved text register their savers here; all of them run
  // at log-off and as the first step of the shutdown.
  [[nodiscard]] OpenWorkRegistry& OpenWork() noexcept { return openWork_; }
  void SaveOpenWork();

  // Tray icon and popup menu (TrayMenu.cpp).
  void AddTrayIcon();
  void RemoveTrayIcon();
  // The tray icon's callback: the event arrives as the X coordinate of WM_MOUSEMOVE; `anchor` is
  // where the icon is, for a menu opened from the keyboard.
  void OnTrayCallback(int16_t event, POINT anchor);
  // Mode 0 shows the tray menu at the pointer (at `anchor` when given), 1 starts the launcher menu
  // process; every mode first records the active window of this thread as TargetWindow.
  void Popmenu(int16_t mode, std::optional<POINT> anchor = std::nullopt);
  // Hides the tray-only items and puts the check mark on slot n's item (1..3; none otherwise).
  void MarkClipSlot(int16_t n);
  // The hotkey menu leaves out the four tray-only items; a right press on the icon shows them again.
  void HideTrayOnlyItems() { trayMenu_.HideTrayOnlyItems(); }
  // The caption of slot n's item becomes the first 20 characters of `slotText`.
  void SetSlotCaption(int n, std::string_view slotText);
  // Start-up: the three slot items show their slots' texts.
  void SetSlotCaptionsFromSlots();
  void RunMenuItem(MenuItem item);
  [[nodiscard]] const MainMenu& TrayMenu() const noexcept { return trayMenu_; }

  // One balloon from the tray icon naming the hotkeys another program holds (start-up only).
  void ReportDeadHotkeys();

  // The background features (PeriodicTimerWin.cpp): the automatic diet's timer and the mouse
  // warp's watch on the mouse exist only while they are on; call after either setting changes.
  void UpdatePeriodicTimer();
  void OnPeriodicTimer();
  void OnWarpCheck();
  // Posted to the main window by the mouse watch: look at the pointer for the warp.
  static constexpr UINT kWarpCheckMessage = WM_APP + 0x51;
  static bool IsPeriodicTimer(UINT_PTR timerId);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  // The diet timer has id 1.
  static constexpr UINT_PTR kStartupWaitTimerId = 2;

  bool StartResident();
  void OnStartupWaitOver();
  void OnSlotItemClick(int n);

  std::optional<InstanceMutex> instance_;
  bool unloading_ = false;
  TrayIcon trayIcon_;
  TrayCallbackDecoder trayEvents_;
  MainMenu trayMenu_;
  // While the menu is open a second request (a repeated key, a click's late context-menu event
  // dispatched by the menu's own loop) opens nothing more.
  bool menuOpen_ = false;
  bool dietTimerRunning_ = false;
  HHOOK mouseHook_ = nullptr;
  OpenWorkSavers openWork_;
};

}  // namespace qb
