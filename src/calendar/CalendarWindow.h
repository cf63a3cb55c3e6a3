#pragma once
// The desktop calendar: a borderless window showing one month, with "<" and ">" to page through
// months. The left button drags it, releasing a button over a day opens that day's note, and a
// double-click closes it and remembers where it was.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/CalendarWindowModel.h"
#include "common/DpiScale.h"
#include "platform/Handles.h"
#include "platform/PictureBox.h"
#include "platform/StoredPlace.h"
#include "platform/WindowBase.h"

namespace qb {

// The open calendar window, null when none is open. Set when a window has loaded, cleared when
// that window is destroyed, however it is closed.
extern HWND CalendarWindowHandle;

class CalendarWindow : public WindowBase<CalendarWindow>, private PictureBox::Listener {
public:
  static constexpr const wchar_t* kCaption = L"VynCalender";
  static constexpr const char* kBackgroundFailedMessage = "ｶﾚﾝﾀﾞｰ背景ｲﾒｰｼﾞ読込失敗";

  static const wchar_t* ClassName() { return L"Quorbell.CalendarWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);
  CalendarWindow() = default;
  // The window goes while the object is still whole, its drawing area included.
  ~CalendarWindow() { Destroy(); }

  // Creates the window (hidden) from the settings, laid out for the DPI of the monitor its place
  // is on, and draws the current month. False when the window cannot be created.
  [[nodiscard]] bool Load();
  // Clears the drawing area, draws the background picture when one is set, then the month.
  void Redraw();
  // Stretches the picture over the whole drawing area; true when it could NOT be loaded.
  bool LoadCalendarBackground(const std::string& path);

  void OnPrevClick();
  void OnNextClick();
  void OnPictureMouseDown(PictureBox::Button button, int x, int y);
  void OnPictureMouseUp(PictureBox::Button button, int x, int y);
  void OnPictureDoubleClick();
  // The double-click time after a left release over a day: that day's note opens.
  void OnOpenNoteTimer();
  // Moved to a monitor of another DPI: the window takes the suggested rectangle (when one is
  // given), its drawing area and buttons the layout for that DPI, and the month is drawn again.
  void OnDpiChanged(int dpi, const RECT* suggested);

  // Sends the loaded window to the bottom and shows it without activating it: at `place` when
  // given (keepStoredPlace tells whether that place still stands for the stored one), otherwise
  // where it was loaded, brought onto the nearest monitor when that lies on none.
  void ShowAt(std::optional<PixelPoint> place, bool keepStoredPlace);
  // True while the window shows elsewhere than its stored place only because that place lies on no
  // monitor: closing it then keeps the stored place.
  [[nodiscard]] bool KeepsStoredPlace() const noexcept { return place_.KeepsStoredPlace(); }

  [[nodiscard]] std::int16_t MonthOffset() const noexcept { return monthOffset; }
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }
  [[nodiscard]] const PictureBox& DrawingArea() const noexcept { return picture_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void PictureBox_MouseDown(PictureBox& box, PictureBox::Button button, int x, int y) override;
  void PictureBox_MouseUp(PictureBox& box, PictureBox::Button button, int x, int y) override;
  void PictureBox_DblClick(PictureBox& box, int x, int y) override;
  [[nodiscard]] CalendarWindowGeometry GeometryAt(int dpi) const;
  [[nodiscard]] bool CreateControls(const CalendarWindowGeometry& geometry, COLORREF backColour);
  void LayOutControls(const CalendarWindowGeometry& geometry);
  void OpenDayNote(const std::string& title);

  PictureBox picture_;
  HWND prevButton_ = nullptr;  // children: destroyed with the window
  HWND nextButton_ = nullptr;
  std::int16_t monthOffset = 0;
  std::optional<std::string> pendingNoteTitle_;  // a left release waiting out the double-click time
  StoredPlace place_;
  double fontSize_ = 0;    // CalFont/Size when the window loaded: the whole window scales with it
  int dpi_ = kDesignDpi;   // the DPI the window is laid out for
  UniqueFont buttonFont_;  // the buttons' font at that DPI
};

// Creates a new calendar window, loads it, moves it to the bottom of the z-order and shows it
// without activating it. Answers its handle, null when it could not be created.
HWND OpenDesktopCalendar();
// When a calendar is open: closes it and opens a new one where the old one stood on the screen (a
// calendar the user dragged does not jump back to its stored place). Answers the new handle, null
// when none was open or the new one could not be created.
HWND ReopenDesktopCalendar();
// The start-up step: opens the calendar when DESKTOPCAL/Enable is exactly "True".
void OpenDesktopCalendarAtStartup();

}  // namespace qb
