#include "calendar/CalendarWindow.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "common/AppIdentity.h"
#include "calendar/DayNotes.h"
#include "calendar/DayNoteEditorWindow.h"
#include "calendar/MonthRender.h"
#include "common/ScaledCanvas.h"
#include "platform/DebugLog.h"
#include "platform/OpenWindows.h"
#include "platform/Dpi.h"
#include "platform/GdiCanvas.h"
#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "platform/PictureFile.h"
#include "platform/WindowHelpers.h"

namespace qb {

HWND CalendarWindowHandle = nullptr;

namespace {

constexpr int kPrevButtonId = 1;
constexpr int kNextButtonId = 2;
constexpr UINT_PTR kOpenNoteTimerId = 1;

// Every calendar window made; closed ones are dropped when the next one opens.
std::vector<std::unique_ptr<CalendarWindow>>& CalendarWindows() {
  static std::vector<std::unique_ptr<CalendarWindow>> windows;
  return windows;
}

HWND CreateButton(HWND parent, const wchar_t* caption, int id, PixelPoint place, int size, HFONT font) {
  const HWND button = CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
                                      place.x, place.y, size, size, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                      nullptr);
  if (!Tolerate(button != nullptr, "CreateWindowExW(BUTTON)")) return nullptr;
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return button;
}

void PlaceButton(HWND button, PixelPoint place, int size, HFONT font) {
  if (button == nullptr) return;
  Tolerate(SetWindowPos(button, nullptr, place.x, place.y, size, size, SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(calendar button)");
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
}

}  // namespace

void CalendarWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = nullptr;  // the drawing area covers the whole window
}

bool CalendarWindow::Load() {
  // The stored place is one of the whole desktop, in twips of its one scale; the window's own size
  // is that of the monitor the place is on.
  const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
  const CalendarWindowSetup setup = LoadCalendarWindowSettings(desktopTwipsPerPixel, desktopTwipsPerPixel);
  fontSize_ = setup.fontSize;
  dpi_ = DpiAtRect(RECT{setup.place.x, setup.place.y, setup.place.x + setup.geometry.width,
                        setup.place.y + setup.geometry.height});
  const CalendarWindowGeometry geometry = GeometryAt(dpi_);

  WindowCreateParams p;
  // A tool window: a desktop accessory, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP | WS_CLIPCHILDREN;
  p.caption = kCaption;
  p.x = setup.place.x;
  p.y = setup.place.y;
  p.width = geometry.width;
  p.height = geometry.height;
  if (!CreateWindowFor(p)) return false;
  if (!CreateControls(geometry, static_cast<COLORREF>(setup.backColour))) {
    Destroy();
    return false;
  }
  // The system may see the window on another monitor than the place said (a place on none).
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) {
    OnDpiChanged(shownAt, nullptr);
  } else {
    Redraw();
  }
  SetWindowAlpha(Hwnd(), setup.opacity);
  CalendarWindowHandle = Hwnd();
  return true;
}

CalendarWindowGeometry CalendarWindow::GeometryAt(int dpi) const {
  const double twipsPerPixel = TwipsPerPixel(dpi);
  return CalendarGeometryFor(fontSize_, twipsPerPixel, twipsPerPixel);
}

bool CalendarWindow::CreateControls(const CalendarWindowGeometry& geometry, COLORREF backColour) {
  if (!picture_.Create(Hwnd(), 0, 0, geometry.pictureWidth, geometry.pictureHeight, backColour, this)) return false;
  buttonFont_ = DefaultGuiFontForDpi(dpi_);
  prevButton_ = CreateButton(Hwnd(), L"<", kPrevButtonId, geometry.prevButton, geometry.buttonSize, buttonFont_.get());
  nextButton_ = CreateButton(Hwnd(), L">", kNextButtonId, geometry.nextButton, geometry.buttonSize, buttonFont_.get());
  // The buttons lie on the drawing area, which is below every other control.
  SetWindowPos(picture_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void CalendarWindow::LayOutControls(const CalendarWindowGeometry& geometry) {
  picture_.SetBounds(0, 0, geometry.pictureWidth, geometry.pictureHeight);
  UniqueFont font = DefaultGuiFontForDpi(dpi_);
  PlaceButton(prevButton_, geometry.prevButton, geometry.buttonSize, font.get());
  PlaceButton(nextButton_, geometry.nextButton, geometry.buttonSize, font.get());
  // The buttons use the new font now: the old one can go.
  buttonFont_ = std::move(font);
}

void CalendarWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  const CalendarWindowGeometry geometry = GeometryAt(dpi_);
  ApplySuggestedRectOrSize(Hwnd(), suggested, SIZE{geometry.width, geometry.height});
  LayOutControls(geometry);
  Redraw();
}

void CalendarWindow::Redraw() {
  picture_.Cls();
  if (const std::optional<std::string> picture = CalendarBackgroundPicture()) {
    if (LoadCalendarBackground(*picture)) {
      ShowMessageBox(Hwnd(), kBackgroundFailedMessage, kAppTitle, MB_OK);
    }
  }
  {
    // The month is laid out in pixels of 96 dots per inch; at the window's DPI every place grows
    // with it and the fonts keep their point sizes.
    GdiCanvas canvas(picture_.Dc(), picture_.ImageWidth(), picture_.ImageHeight());
    canvas.SetFontDpi(dpi_);
    ScaledCanvas scaled(canvas, dpi_);
    std::int16_t x = 0;
    std::int16_t y = 0;
    DrawCalendarMonth(scaled, x, y, monthOffset);
  }
  picture_.Refresh();
}

bool CalendarWindow::LoadCalendarBackground(const std::string& path) {
  const std::optional<DecodedPicture> picture = DecodePictureFile(path);
  if (!picture) return true;
  picture_.StretchPicture(*picture);
  return false;
}

void CalendarWindow::OnPrevClick() {
  monthOffset = PagedMonthOffset(monthOffset, -1);
  SetFocus(picture_.Hwnd());
  Redraw();
}

void CalendarWindow::OnNextClick() {
  monthOffset = PagedMonthOffset(monthOffset, +1);
  SetFocus(picture_.Hwnd());
  Redraw();
}

void CalendarWindow::OnPictureMouseDown(PictureBox::Button button, int, int) {
  if (button != PictureBox::Button::Left) return;
  const HWND picture = picture_.Hwnd();
  const bool moved = place_.DragByItsBody(Hwnd());
  if (Hwnd() == nullptr) return;
  // That move loop swallows the button's release. A click that did not move the window is still
  // a release over the drawing area, so it gets its release (unless the release is still on its
  // way, as when the system did not start a move at all).
  MSG pending;
  if (!moved && !PeekMessageW(&pending, picture, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(picture, &cursor);
    OnPictureMouseUp(PictureBox::Button::Left, cursor.x, cursor.y);
  }
}

void CalendarWindow::OnPictureMouseUp(PictureBox::Button button, int x, int y) {
  const CalendarMonthState& month = TheCalendarMonth();
  // The days lie where the drawing put them: in its own pixels of 96 dots per inch.
  std::optional<std::string> title = DayNoteTitleAt(UnscaleForDpi(x, dpi_), UnscaleForDpi(y, dpi_), CalendarHitFontSize(),
                                                    month.CalendarDayMap, month.CalendarYear, month.CalendarMonth);
  if (!title) return;
  if (button != PictureBox::Button::Left) {
    OpenDayNote(*title);
    return;
  }
  // A left click may be the first half of the double-click that closes the calendar: the note
  // opens only once the double-click time has passed without a second click.
  pendingNoteTitle_ = std::move(title);
  Tolerate(SetTimer(Hwnd(), kOpenNoteTimerId, GetDoubleClickTime(), nullptr) != 0, "SetTimer(open note)");
}

void CalendarWindow::OnOpenNoteTimer() {
  KillTimer(Hwnd(), kOpenNoteTimerId);
  if (!pendingNoteTitle_) return;
  const std::string title = std::move(*pendingNoteTitle_);
  pendingNoteTitle_.reset();
  OpenDayNote(title);
}

void CalendarWindow::OpenDayNote(const std::string& title) {
  std::string note;
  ReadDayNote(title, note);
  ShowDayNoteEditor(title, note);
}

void CalendarWindow::OnPictureDoubleClick() {
  KillTimer(Hwnd(), kOpenNoteTimerId);
  pendingNoteTitle_.reset();
  const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
  StoreCalendarWindowClosed(place_.PlaceToStore(Hwnd()), desktopTwipsPerPixel, desktopTwipsPerPixel);
  CalendarWindowHandle = nullptr;
  Destroy();
}

void CalendarWindow::ShowAt(std::optional<PixelPoint> place, bool keepStoredPlace) {
  if (place) {
    Tolerate(SetWindowPos(Hwnd(), nullptr, place->x, place->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
             "SetWindowPos(calendar place)");
    place_.Placed(keepStoredPlace);
  } else {
    place_.BringOntoScreen(Hwnd());
  }
  Tolerate(SetWindowPos(Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0,
           "SetWindowPos(HWND_BOTTOM)");
  ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
}

void CalendarWindow::PictureBox_MouseDown(PictureBox&, PictureBox::Button button, int x, int y) {
  OnPictureMouseDown(button, x, y);
}
void CalendarWindow::PictureBox_MouseUp(PictureBox&, PictureBox::Button button, int x, int y) {
  OnPictureMouseUp(button, x, y);
}
void CalendarWindow::PictureBox_DblClick(PictureBox&, int, int) { OnPictureDoubleClick(); }

LRESULT CalendarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kPrevButtonId) OnPrevClick();
        if (LOWORD(wParam) == kNextButtonId) OnNextClick();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kOpenNoteTimerId) {
        OnOpenNoteTimer();
        return 0;
      }
      break;
    case WM_DISPLAYCHANGE:
      place_.OnDisplayChange(Hwnd());
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // Closed by another part of the program (to open a fresh calendar): nothing is stored.
      Destroy();
      return 0;
    case WM_DESTROY:
      // However the window goes (its double-click, Alt+F4, a WM_CLOSE from outside), it is no
      // longer the open calendar, and the tray item can open a new one.
      if (CalendarWindowHandle == Hwnd()) CalendarWindowHandle = nullptr;
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

namespace {

HWND OpenCalendarAt(std::optional<PixelPoint> place, bool keepStoredPlace) {
  // Loading can show a message box, whose message loop lets the tray menu run meanwhile; the
  // handle that marks a calendar as open is only set once loading is done, so a second request
  // arriving then is refused here rather than opening a second calendar.
  static bool loading = false;
  if (loading) return nullptr;
  loading = true;
  struct LoadingDone {
    ~LoadingDone() { loading = false; }
  } done;
  auto& windows = CalendarWindows();
  SweepClosedWindows(windows);
  auto window = std::make_unique<CalendarWindow>();
  if (!window->Load()) return nullptr;
  window->ShowAt(place, keepStoredPlace);
  const HWND hwnd = window->Hwnd();
  windows.push_back(std::move(window));
  return hwnd;
}

}  // namespace

HWND OpenDesktopCalendar() { return OpenCalendarAt(std::nullopt, false); }

HWND ReopenDesktopCalendar() {
  const HWND open = CalendarWindowHandle;
  if (open == nullptr) return nullptr;
  CalendarWindow* current = nullptr;
  for (const auto& w : CalendarWindows()) {
    if (w->Hwnd() == open) current = w.get();
  }
  RECT place{};
  GetWindowRect(open, &place);
  const bool keepStoredPlace = current != nullptr && current->KeepsStoredPlace();
  SendMessageW(open, WM_CLOSE, 0, 0);
  return OpenCalendarAt(PixelPoint{place.left, place.top}, keepStoredPlace);
}

void OpenDesktopCalendarAtStartup() {
  // The user may have opened it from the tray menu while the start-up waited.
  if (CalendarWindowHandle != nullptr) return;
  if (CalendarOpensAtStartup()) OpenDesktopCalendar();
}

}  // namespace qb
