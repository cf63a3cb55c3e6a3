#pragma once
// The analog clock: a borderless round window 100 pixels across (at 96 dots per inch; it grows
// with the DPI of its monitor) showing a face picture with an hour, a minute and a second hand
// over it. The left button drags it; a double-click closes it
// and remembers where it was. Any number of clocks may be open at once.
#include <windows.h>

#include <string>

#include "platform/PictureBox.h"
#include "platform/StoredPlace.h"
#include "platform/WindowBase.h"

namespace qb {

// A clock answers this registered message with the number of times it has painted itself, so that
// its idle cost can be watched from outside.
inline constexpr wchar_t kClockPaintCountMessageName[] = L"Quorbell.ClockPaintCount";

class ClockWindow : public WindowBase<ClockWindow> {
public:
  static const wchar_t* ClassName() { return L"Quorbell.ClockWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);
  ClockWindow() = default;
  ~ClockWindow() { Destroy(); }

  // Creates the window (hidden) at its stored place with its face, cut to a circle, and starts
  // the hands. False when the window cannot be created.
  [[nodiscard]] bool Load();
  // Shows the loaded window, brought onto the nearest monitor when its place lies on none.
  void Show();

  // Moved to a monitor of another DPI: the dial, its face, its hands and its circle at that DPI,
  // in the suggested rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  [[nodiscard]] int DialSide() const;
  // The face and frame images at the dial's size, the face drawn; false (nothing changed) when
  // they cannot be made.
  [[nodiscard]] bool MakeFace();
  void ApplyRegion();
  void LoadFace(const std::string& name);
  void DrawBuiltInFace();
  // Redraws when the shown second has changed, then waits for the next second.
  void OnTick();
  void ScheduleNextTick();
  void Paint();
  void OnLeftButtonDown();
  void OnDoubleClick();

  OffscreenImage face_;   // the face without hands
  OffscreenImage frame_;  // the face with the hands, copied to the screen
  SYSTEMTIME shown_{};    // the time the hands show
  unsigned long paintCount_ = 0;
  StoredPlace place_;
  std::string faceName_;  // CLOCK/PicName when the clock loaded
  int dpi_ = 96;          // the DPI the dial is drawn for: its monitor's
};

// Opens one more clock. Answers its handle, null when it could not be created.
HWND OpenAnalogClock();
// The start-up step: opens a clock when DESKTOPCLOCK/Enable is exactly "True".
void OpenAnalogClockAtStartup();

}  // namespace qb
