#include "accessories/clock/ClockWindow.h"

#include <cmath>
#include <memory>
#include <vector>

#include "accessories/clock/ClockHands.h"
#include "accessories/clock/ClockSettings.h"
#include "common/Numbers.h"
#include "platform/DebugLog.h"
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

void DrawLine(HDC dc, DialPoint from, int width, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, width, colour));
  if (!pen) return;
  SelectGuard selected(dc, pen.get());
  MoveToEx(dc, Round(from.x), Round(from.y), nullptr);
  LineTo(dc, Round(kDialCentreX), Round(kDialCentreY));
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
  twipsPerPixelX_ = TwipsPerPixel(ScreenDpi(LOGPIXELSX));
  twipsPerPixelY_ = TwipsPerPixel(ScreenDpi(LOGPIXELSY));
  const ClockSetup setup = LoadClockSettings(twipsPerPixelX_, twipsPerPixelY_);

  const COLORREF empty = GetSysColor(COLOR_BTNFACE);
  if (!face_.Create(kDialSize, kDialSize, empty) || !frame_.Create(kDialSize, kDialSize, empty)) return false;
  LoadFace(setup.faceName);

  WindowCreateParams p;
  // A tool window: a desktop accessory, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP;
  p.x = setup.place.x;
  p.y = setup.place.y;
  p.width = kDialSize;
  p.height = kDialSize;
  if (!CreateWindowFor(p)) return false;
  if (HRGN round = CreateEllipticRgn(1, 1, kDialSize, kDialSize)) {
    // The window owns the region once it is set.
    if (!Tolerate(SetWindowRgn(Hwnd(), round, TRUE) != 0, "SetWindowRgn(clock)")) DeleteObject(round);
  }
  GetLocalTime(&shown_);
  ScheduleNextTick();
  return true;
}

void ClockWindow::LoadFace(const std::string& name) {
  switch (ChooseClockFace(name, FileExists(name))) {
    case ClockFaceSource::File:
      if (const std::optional<DecodedPicture> picture = DecodePictureFile(name)) {
        // A larger picture shows its top-left corner, a smaller one sits there on the empty face.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture->width;
        info.bmiHeader.biHeight = -picture->height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(face_.Dc(), 0, 0, static_cast<DWORD>(picture->width), static_cast<DWORD>(picture->height), 0,
                          0, 0, static_cast<UINT>(picture->height), picture->pixels.data(), &info, DIB_RGB_COLORS);
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
  const HDC dc = face_.Dc();
  {
    UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    UniquePen rim(CreatePen(PS_SOLID, 2, RGB(96, 96, 96)));
    if (!white || !rim) return;
    SelectGuard brush(dc, white.get());
    SelectGuard pen(dc, rim.get());
    Ellipse(dc, 2, 2, kDialSize - 1, kDialSize - 1);
  }
  for (int hour = 0; hour < 12; ++hour) {
    const HourMark mark = HourMarkAt(hour);
    UniquePen pen(CreatePen(PS_SOLID, hour % 3 == 0 ? 3 : 1, RGB(64, 64, 64)));
    if (!pen) return;
    SelectGuard selected(dc, pen.get());
    MoveToEx(dc, Round(mark.outer.x), Round(mark.outer.y), nullptr);
    LineTo(dc, Round(mark.inner.x), Round(mark.inner.y));
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
  BitBlt(frame_.Dc(), 0, 0, kDialSize, kDialSize, face_.Dc(), 0, 0, SRCCOPY);
  const ClockHands hands = HandsAt(shown_.wHour, shown_.wMinute, shown_.wSecond);
  DrawLine(frame_.Dc(), hands.hourEnd, 3, RGB(0, 0, 0));
  DrawLine(frame_.Dc(), hands.minuteEnd, 2, RGB(0, 0, 0));
  DrawLine(frame_.Dc(), hands.secondEnd, 1, RGB(255, 0, 0));
  BitBlt(dc, 0, 0, kDialSize, kDialSize, frame_.Dc(), 0, 0, SRCCOPY);
  EndPaint(Hwnd(), &ps);
}

void ClockWindow::OnLeftButtonDown() {
  // Once the user has moved it, the place it shows is the one to store.
  place_.DragByItsBody(Hwnd());
}

void ClockWindow::OnDoubleClick() {
  StoreClockClosed(place_.PlaceToStore(Hwnd()), twipsPerPixelX_, twipsPerPixelY_);
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
    case WM_DESTROY:
      KillTimer(Hwnd(), kTickTimerId);
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

HWND OpenAnalogClock() {
  // Closed clocks are freed one opening later, so that a clock closed from inside its own handler
  // is never freed under its feet.
  static std::vector<std::unique_ptr<ClockWindow>> closed;
  closed.clear();
  auto& windows = ClockWindows();
  for (auto& w : windows) {
    if (w->Hwnd() == nullptr) closed.push_back(std::move(w));
  }
  std::erase(windows, nullptr);
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
