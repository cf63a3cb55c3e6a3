#include "hotkeys/WheelWindow.h"

#include <memory>

#include "hotkeys/TargetWindow.h"
#include "hotkeys/ToolState.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/WindowHelpers.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"

namespace qb {

namespace {

// The procedure WheelWindow's window had before WheelWindowProc; null while not hooked.
WNDPROC previousWheelProc = nullptr;

constexpr COLORREF kBodyColour = RGB(250, 250, 250);
constexpr COLORREF kBusyBodyColour = RGB(255, 232, 200);
constexpr COLORREF kOutlineColour = RGB(64, 64, 64);
constexpr COLORREF kIdleWheelColour = RGB(128, 128, 128);
constexpr COLORREF kBusyWheelColour = RGB(230, 110, 0);

// A mouse seen from above with its wheel; in the busy picture the body is tinted and the wheel lit.
void DrawWheelPicture(PictureBox& box, bool busy, int dpi) {
  const HDC dc = box.Dc();
  if (dc == nullptr) return;
  box.Cls();
  const int w = box.ImageWidth();
  const int h = box.ImageHeight();
  {
    UniquePen outline(CreatePen(PS_SOLID, ScaleForDpi(1, dpi), kOutlineColour));
    UniqueBrush body(CreateSolidBrush(busy ? kBusyBodyColour : kBodyColour));
    SelectGuard pen(dc, outline.get());
    SelectGuard brush(dc, body.get());
    RoundRect(dc, w / 5, h / 12, w - w / 5, h - h / 12, w / 2, h / 2);
    // The line between the two buttons.
    MoveToEx(dc, w / 2, h / 12, nullptr);
    LineTo(dc, w / 2, h / 5);
  }
  UniqueBrush wheel(CreateSolidBrush(busy ? kBusyWheelColour : kIdleWheelColour));
  const RECT wheelRect{w / 2 - w / 12, h / 5, w / 2 + w / 12 + 1, h / 2};
  if (wheel) FillRect(dc, &wheelRect, wheel.get());
  box.Refresh();
}

// The scroll bar a wheel notch is forwarded to: inside the target's MDI client, the first
// "VbaWindow" document; of its scroll bars the window after the first one is taken as the
// vertical bar. Null when any of them is missing (a missing parent must not turn the search into
// one over all top-level windows).
HWND TargetScrollBar(HWND target) {
  if (target == nullptr) return nullptr;
  const HWND mdiClient = FindChildWindow(target, nullptr, "MDIClient", "");
  if (mdiClient == nullptr) return nullptr;
  const HWND document = FindChildWindow(mdiClient, nullptr, "VbaWindow", "");
  if (document == nullptr) return nullptr;
  const HWND firstBar = FindChildWindow(document, nullptr, "ScrollBar", "");
  if (firstBar == nullptr) return nullptr;
  return GetWindow(firstBar, GW_HWNDNEXT);
}

void ForwardWheelNotch(HWND form, WPARAM wheelParam) {
  const HWND bar = TargetScrollBar(TargetWindow);
  if (bar != nullptr) {
    RECT rect{};
    Tolerate(GetWindowRect(bar, &rect) != FALSE, "GetWindowRect(scroll bar)");
    const LPARAM point = PackClickPoint(0, WheelClickY(rect.bottom - rect.top, wheelParam));
    TheWheelWindow().ShowBusyPicture(true);
    for (int i = 0; i < kWheelClicksPerNotch; ++i) {
      Tolerate(PostWindowMessage(bar, WM_LBUTTONDOWN, MK_LBUTTON, point), "PostMessageW(WM_LBUTTONDOWN)");
      Tolerate(PostWindowMessage(bar, WM_LBUTTONUP, MK_LBUTTON, point), "PostMessageW(WM_LBUTTONUP)");
    }
  }
  PumpPendingMessages();
  // The clicks may have brought the target forward: the wheel window claims the front again so
  // that the next notch reaches it too.
  Tolerate(SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE, "SetWindowPos(WheelWindow)");
  Tolerate(SetForegroundWindow(form) != FALSE, "SetForegroundWindow(WheelWindow)");
  SetActiveWindow(form);
  TheWheelWindow().ShowBusyPicture(false);
}

}  // namespace

void WheelWindow::ConfigureClass(WNDCLASSEXW& wc) { wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

bool WheelWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // At the bottom right of the primary monitor, at its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  const int side = WheelWindowClientPixels(dpi_);
  WindowCreateParams p;
  // A tool window: a small caption to drag it by and to close it, no taskbar button.
  p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  p.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  RECT outer{0, 0, side, side};
  AdjustWindowRectForDpi(outer, p.style, p.exStyle, dpi_);
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  const PixelPoint place =
      WheelWindowPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), p.width, p.height);
  p.x = place.x;
  p.y = place.y;
  if (!CreateWindowFor(p)) return false;

  const COLORREF back = GetSysColor(COLOR_BTNFACE);
  if (Tolerate(idlePicture_.Create(Hwnd(), 0, 0, side, side, back, nullptr), "WheelWindow idle picture")) {
    DrawWheelPicture(idlePicture_, false, dpi_);
  }
  if (Tolerate(busyPicture_.Create(Hwnd(), 0, 0, side, side, back, nullptr), "WheelWindow busy picture")) {
    DrawWheelPicture(busyPicture_, true, dpi_);
  }
  scrollBar_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, side, 0, SystemMetricForDpi(SM_CXVSCROLL, dpi_),
                              side, Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  Tolerate(scrollBar_ != nullptr, "CreateWindowExW(SCROLLBAR)");
  ShowBusyPicture(false);
  HookWheelWindow(Hwnd());
  return true;
}

void WheelWindow::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), SW_SHOW);
  Tolerate(SetForegroundWindow(Hwnd()) != FALSE, "SetForegroundWindow(WheelWindow)");
}

void WheelWindow::Hide() {
  if (Hwnd() != nullptr) ShowWindow(Hwnd(), SW_HIDE);
}

void WheelWindow::ShowBusyPicture(bool busy) {
  if (busyPicture_.Hwnd() != nullptr) ShowWindow(busyPicture_.Hwnd(), busy ? SW_SHOW : SW_HIDE);
  if (idlePicture_.Hwnd() != nullptr) ShowWindow(idlePicture_.Hwnd(), busy ? SW_HIDE : SW_SHOW);
  // Painted at once: the clicks that follow may keep this thread from painting for a while.
  if (Hwnd() != nullptr) RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void WheelWindow::OnUnload() {
  UnhookWheelWindow(Hwnd());
  TheWindowTools().WheelWindowShown = false;
  scrollBar_ = nullptr;
}

void WheelWindow::OnDpiChanged(int dpi, LPARAM suggested) {
  dpi_ = UsableDpi(dpi);
  const int side = WheelWindowClientPixels(dpi_);
  for (PictureBox* picture : {&idlePicture_, &busyPicture_}) {
    if (picture->Hwnd() == nullptr) continue;
    picture->SetBounds(0, 0, side, side);
    DrawWheelPicture(*picture, picture == &busyPicture_, dpi_);
  }
  PlaceChild(scrollBar_, PixelRect{side, 0, side + SystemMetricForDpi(SM_CXVSCROLL, dpi_), side});
  ApplySuggestedRect(Hwnd(), suggested);
}

LRESULT WheelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) OnUnload();
  if (message == WM_DPICHANGED) {
    OnDpiChanged(DpiOfDpiChange(wParam), lParam);
    return 0;
  }
  return DefaultProc(message, wParam, lParam);
}

WheelWindow& TheWheelWindow() {
  // The program does not unload the wheel window itself; its window goes with the process.
  static WheelWindow form;
  return form;
}

void ToggleWheelWindow() {
  WindowToolFlags& flags = TheWindowTools();
  WheelWindow& form = TheWheelWindow();
  if (flags.WheelWindowShown) {
    form.Hide();
    flags.WheelWindowShown = false;
    return;
  }
  TargetWindow = GetForegroundWindow();
  if (!form.Load()) return;
  form.Show();
  flags.WheelWindowShown = true;
}

void HookWheelWindow(HWND window) {
  if (window == nullptr || previousWheelProc != nullptr) return;
  SetLastError(0);
  const LONG_PTR previous =
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WheelWindowProc));
  if (Tolerate(previous != 0, "SetWindowLongPtrW(GWLP_WNDPROC)")) {
    previousWheelProc = reinterpret_cast<WNDPROC>(previous);
  }
}

void UnhookWheelWindow(HWND window) {
  if (previousWheelProc == nullptr) return;
  Tolerate(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWheelProc)) != 0,
           "SetWindowLongPtrW(GWLP_WNDPROC)");
  previousWheelProc = nullptr;
}

LRESULT CALLBACK WheelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  // Kept now: the window may be closed, and unhooked, while the wheel's clicks are processed.
  const WNDPROC previous = previousWheelProc;
  if (message == WM_MOUSEWHEEL) {
    try {
      ForwardWheelNotch(window, wParam);
    } catch (...) {
      LogCurrentException("WheelWindowProc");
    }
  }
  if (previous == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace qb
