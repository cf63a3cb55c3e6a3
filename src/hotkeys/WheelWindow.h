#pragma once
// The wheel window: a small always-on-top window that turns mouse-wheel notches into clicks on the
// arrows of a scroll bar of a "VbaWindow" document inside the window that was in front when it was
// shown (TargetWindow). Programs whose documents ignore the wheel can then be scrolled with it.
// It shows an idle picture and, while a notch is forwarded, a busy one.
#include <windows.h>

#include "platform/PictureBox.h"
#include "platform/WindowBase.h"

namespace qb {

class WheelWindow : public WindowBase<WheelWindow> {
public:
  static const wchar_t* ClassName() { return L"Quorbell.WheelWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // Creates the hidden window when it is not loaded: idle picture showing, placed at the right edge
  // of the screen two heights above the bottom, WheelWindowProc installed. True when it exists.
  [[nodiscard]] bool Load();
  // Shows it modeless and in front.
  void Show();
  // Hides it; it stays loaded and hooked.
  void Hide();
  // The busy picture when true, the idle one when false.
  void ShowBusyPicture(bool busy);

  [[nodiscard]] HWND IdlePicture() const noexcept { return idlePicture_.Hwnd(); }
  [[nodiscard]] HWND BusyPicture() const noexcept { return busyPicture_.Hwnd(); }
  [[nodiscard]] HWND ScrollBar() const noexcept { return scrollBar_; }

  // Moved to a monitor of another DPI: its pictures and scroll bar at that DPI, in the suggested
  // rectangle.
  void OnDpiChanged(int dpi, LPARAM suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  // The window is closed: WheelWindowProc removed, the shown flag cleared.
  void OnUnload();

  PictureBox idlePicture_;
  PictureBox busyPicture_;
  HWND scrollBar_ = nullptr;  // a child without behaviour: destroyed with the window
  int dpi_ = 96;              // the DPI the window is laid out for: its monitor's
};

// The program's one wheel window; its window is created by Load and may be closed and loaded
// again, the object lives as long as the process.
WheelWindow& TheWheelWindow();

// The wheel-window hotkey: hides WheelWindow when it is shown; otherwise takes the foreground window as
// TargetWindow and shows WheelWindow (loading it first). WheelWindowShown follows.
void ToggleWheelWindow();

// Install WheelWindowProc on WheelWindow's window, keeping the procedure it had; put that procedure back
// (only when one was kept). Installing twice keeps the first procedure.
void HookWheelWindow(HWND window);
void UnhookWheelWindow(HWND window);

// WheelWindow's window procedure while hooked. A wheel notch becomes four left clicks on the upper or
// lower arrow of the target's scroll bar; WheelWindow then puts itself in front again. Every message,
// the wheel included, goes on to the kept procedure.
LRESULT CALLBACK WheelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace qb
