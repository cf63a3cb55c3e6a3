#pragma once
// The stopwatch window "stopWatch": the running time as H:MM:SS and two buttons, "Start" (reading
// "Stop" while the watch runs) and "Clear". There is one at a time; the time follows a monotonic
// clock, the window's timer runs only while the watch runs and only decides when to show it.
#include <windows.h>

#include "accessories/stopwatch/StopwatchCount.h"
#include "platform/DialogKeys.h"
#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

class StopwatchWindow : public WindowBase<StopwatchWindow> {
public:
  static constexpr const wchar_t* kCaption = L"stopWatch";
  static const wchar_t* ClassName() { return L"Quorbell.StopwatchWindow"; }
  StopwatchWindow() = default;
  ~StopwatchWindow() { Destroy(); }

  // Creates and shows the window, stopped at 0:00:00; false when it cannot be created.
  [[nodiscard]] bool Load();

  void OnStartClick();
  void OnClearClick();
  void OnTimer();
  // Moved to a monitor of another DPI: its controls and fonts at that DPI, in the suggested
  // rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void ShowCount();
  void ArmTimer();
  // The controls' places and fonts at the window's DPI.
  void LayOut();

  StopwatchCount count_;
  DialogKeys keys_;
  HWND timeText_ = nullptr;  // children: destroyed with the window
  HWND startButton_ = nullptr;
  HWND clearButton_ = nullptr;
  UniqueFont timeFont_;
  UniqueFont buttonFont_;
  UniqueBrush timeBackground_;
  int dpi_ = 96;  // the DPI the window is laid out for: its monitor's
};

// The tray item: opens the stopwatch, or brings the open one forward with its count.
void ShowStopwatch();

}  // namespace qb
