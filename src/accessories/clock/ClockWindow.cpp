#include "accessories/clock/ClockWindow.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "accessories/clock/ClockHands.h"
#include "accessories/clock/ClockSettings.h"
#include "common/Numbers.h"
#include "platform/DebugLog.h"
#include "platform/OpenWindows.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/PictureFile.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr UINT_PTR kTickTimerId = 1;
// A timer may fire a little before the second it waits for: that tick finds the second unchanged
// and waits again for the few milliseconds left, so a small lead costs one extra wake-up at most.
constexpr int kTickLateByMs = 5;

UINT PaintCountMessage() {
  static const UINT message = RegisterWindowMessageW(kClockPaintCountMessageName);
  return message;
}

std::vector<std::unique_ptr<ClockWindow>>& ClockWindows() {
  static std::vector<std::unique_ptr<ClockWindow>> windows;
  return windows;
}

bool FileExists(const std::string& name) {
  const DWORD attributes = GetFileAttributesW(Widen(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int Round(double value) { return static_cast<int>(std::lround(value)); }

// A point of the 96-dpi dial at `dpi`, and a pen width there.
POINT OnDial(DialPoint p, int dpi) { return POINT{Round(p.x * dpi / kDesignDpi), Round(p.y * dpi / kDesignDpi)}; }
int PenWidth(int width, int dpi) { return std::max(1, ScaleForDpi(width, dpi)); }

// A line from a point of the dial to its centre.
void DrawLine(HDC dc, DialPoint from, int width, COLORREF colour, int dpi) {
  UniquePen pen(CreatePen(PS_SOLID, PenWidth(width, dpi), colour));
  if (!pen) return;
  SelectGuard selected(dc, pen.get());
  const POINT start = OnDial(from, dpi);
  const POINT centre = OnDial(DialPoint{kDialCentreX, kDialCentreY}, dpi);
  MoveToEx(dc, start.x, start.y, nullptr);
  LineTo(dc, centre.x, centre.y);
}

bool SameSecond(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace

void ClockWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.style |= CS_DBLCLKS;
  wc.hbrBackground = nullptr;  // every pixel is painted from the frame
  wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
}

bool ClockWindow::Load() {
  // The stored place is one of the whole desktop, at its one scale; the dial is 100 pixels across
  // at 96 dots per inch and grows with the DPI of the monitor it stands on.
  const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
  const ClockSetup setup = LoadClockSettings(desktopTwipsPerPixel, desktopTwipsPerPixel);
  faceName_ = setup.faceName;
  dpi_ = DpiAtRect(RECT{setup.place.x, setup.place.y, setup.place.x + kDialSize, setup.place.y + kDialSize});
  if (!MakeFace()) return false;

  WindowCreateParams p;
  // A tool window: a desktop accessory, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP;
  p.x = setup.place.x;
  p.y = setup.place.y;
  p.width = DialSide();
  p.height = DialSide();
  if (!CreateWindowFor(p)) return false;
  ApplyRegion();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, nullptr);
  GetLocalTime(&shown_);
  ScheduleNextTick();
  return true;
}

int ClockWindow::DialSide() const { return ScaleForDpi(kDialSize, dpi_); }

bool ClockWindow::MakeFace() {
  const COLORREF empty = GetSysColor(COLOR_BTNFACE);
  OffscreenImage face;
  OffscreenImage frame;
  if (!face.Create(DialSide(), DialSide(), empty) || !frame.Create(DialSide(), DialSide(), empty)) return false;
  face_.Swap(face);
  frame_.Swap(frame);
  LoadFace(faceName_);
  return true;
}

void ClockWindow::ApplyRegion() {
  // The circle of the 96-dpi dial, (1, 1)-(100, 100), drawn afresh at the dial's size: as round at
  // any DPI.
  const int inset = ScaleForDpi(1, dpi_);
  UniqueRegion round(CreateEllipticRgn(inset, inset, DialSide(), DialSide()));
  if (!Tolerate(round.valid(), "CreateEllipticRgn(clock)")) return;
  // The window owns the region once it is set.
  if (Tolerate(SetWindowRgn(Hwnd(), round.get(), TRUE) != 0, "SetWindowRgn(clock)")) (void)round.release();
}

void ClockWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  if (!MakeFace()) return;  // the old face stays, at the old size
  ApplySuggestedRectOrSize(Hwnd(), suggested, SIZE{DialSide(), DialSide()});
  ApplyRegion();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void ClockWindow::LoadFace(const std::string& name) {
  switch (ChooseClockFace(name, FileExists(name))) {
    case ClockFaceSource::File:
      if (const std::optional<DecodedPicture> picture = DecodePictureFile(name)) {
        // A larger picture shows its top-left corner, a smaller one sits there on the empty face;
        // on a screen of more dots per inch it grows with the dial, smoothly.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture->width;
        info.bmiHeader.biHeight = -picture->height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        if (dpi_ == kDesignDpi) {
          SetDIBitsToDevice(face_.Dc(), 0, 0, static_cast<DWORD>(picture->width), static_cast<DWORD>(picture->height), 0,
                            0, 0, static_cast<UINT>(picture->height), picture->pixels.data(), &info, DIB_RGB_COLORS);
        } else {
          const int oldMode = SetStretchBltMode(face_.Dc(), HALFTONE);
          SetBrushOrgEx(face_.Dc(), 0, 0, nullptr);  // HALFTONE wants the brush origin reset after the mode
          StretchDIBits(face_.Dc(), 0, 0, ScaleForDpi(picture->width, dpi_), ScaleForDpi(picture->height, dpi_), 0, 0,
                        picture->width, picture->height, picture->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
          if (oldMode != 0) SetStretchBltMode(face_.Dc(), oldMode);
        }
      }
      break;
    case ClockFaceSource::BuiltIn:
      DrawBuiltInFace();
      break;
    case ClockFaceSource::Empty:
      break;
  }
}

void ClockWindow::DrawBuiltInFace() {
  // Drawn at the dial's size rather than stretched: as sharp at any DPI.
  const HDC dc = face_.Dc();
  {
    UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    UniquePen rim(CreatePen(PS_SOLID, PenWidth(2, dpi_), RGB(96, 96, 96)));
    if (!white || !rim) return;
    SelectGuard brush(dc, white.get());
    SelectGuard pen(dc, rim.get());
    Ellipse(dc, ScaleForDpi(2, dpi_), ScaleForDpi(2, dpi_), ScaleForDpi(kDialSize - 1, dpi_), ScaleForDpi(kDialSize - 1, dpi_));
  }
  for (int hour = 0; hour < 12; ++hour) {
    const HourMark mark = HourMarkAt(hour);
    UniquePen pen(CreatePen(PS_SOLID, PenWidth(hour % 3 == 0 ? 3 : 1, dpi_), RGB(64, 64, 64)));
    if (!pen) return;
    SelectGuard selected(dc, pen.get());
    const POINT outer = OnDial(mark.outer, dpi_);
    const POINT inner = OnDial(mark.inner, dpi_);
    MoveToEx(dc, outer.x, outer.y, nullptr);
    LineTo(dc, inner.x, inner.y);
  }
}

void ClockWindow::Show() {
  place_.BringOntoScreen(Hwnd());
  ShowWindow(Hwnd(), SW_SHOW);
}

void ClockWindow::ScheduleNextTick() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const UINT wait = static_cast<UINT>(MillisecondsToNextSecond(now.wMilliseconds) + kTickLateByMs);
  Tolerate(SetTimer(Hwnd(), kTickTimerId, wait, nullptr) != 0, "SetTimer(clock)");
}

void ClockWindow::OnTick() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (!SameSecond(now, shown_)) {
    shown_ = now;
    InvalidateRect(Hwnd(), nullptr, FALSE);
  }
  ScheduleNextTick();
}

void ClockWindow::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc == nullptr) return;
  ++paintCount_;
  const int side = frame_.Width();
  BitBlt(frame_.Dc(), 0, 0, side, side, face_.Dc(), 0, 0, SRCCOPY);
  const ClockHands hands = HandsAt(shown_.wHour, shown_.wMinute, shown_.wSecond);
  DrawLine(frame_.Dc(), hands.hourEnd, 3, RGB(0, 0, 0), dpi_);
  DrawLine(frame_.Dc(), hands.minuteEnd, 2, RGB(0, 0, 0), dpi_);
  DrawLine(frame_.Dc(), hands.secondEnd, 1, RGB(255, 0, 0), dpi_);
  BitBlt(dc, 0, 0, side, side, frame_.Dc(), 0, 0, SRCCOPY);
  EndPaint(Hwnd(), &ps);
}

void ClockWindow::OnLeftButtonDown() {
  // Once the user has moved it, the place it shows is the one to store.
  place_.DragByItsBody(Hwnd());
}

void ClockWindow::OnDoubleClick() {
  const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
  StoreClockClosed(place_.PlaceToStore(Hwnd()), desktopTwipsPerPixel, desktopTwipsPerPixel);
  Destroy();
}

LRESULT ClockWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PaintCountMessage() && message != 0) return static_cast<LRESULT>(paintCount_);
  switch (message) {
    case WM_TIMER:
      if (wParam == kTickTimerId) {
        OnTick();
        return 0;
      }
      break;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_LBUTTONDOWN:
      OnLeftButtonDown();
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick();
      return 0;
    case WM_DISPLAYCHANGE:
      place_.OnDisplayChange(Hwnd());
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      KillTimer(Hwnd(), kTickTimerId);
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

HWND OpenAnalogClock() {
  auto& windows = ClockWindows();
  SweepClosedWindows(windows);
  auto window = std::make_unique<ClockWindow>();
  if (!window->Load()) return nullptr;
  window->Show();
  const HWND hwnd = window->Hwnd();
  windows.push_back(std::move(window));
  return hwnd;
}

void OpenAnalogClockAtStartup() {
  // A clock the user opened from the tray menu while the start-up waited is the one wanted.
  for (const auto& w : ClockWindows()) {
    if (w && w->Hwnd() != nullptr) return;
  }
  if (ClockOpensAtStartup()) OpenAnalogClock();
}

}  // namespace qb
