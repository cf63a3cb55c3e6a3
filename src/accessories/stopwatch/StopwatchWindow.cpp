#include "accessories/stopwatch/StopwatchWindow.h"

#include <memory>
#include <utility>

#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr int kClientWidthTwips = 2160;
constexpr int kClientHeightTwips = 960;
// Away from IDOK and IDCANCEL, which the dialog keys send for Enter and Escape.
constexpr int kStartButtonId = 11;
constexpr int kClearButtonId = 12;
constexpr UINT_PTR kTimerId = 1;
// Ticks are aimed just past the next whole second of running time, so that a tick never lands a
// hair before it and shows the previous second again.
constexpr int kTickSlackMs = 20;
constexpr COLORREF kTimeColour = RGB(0, 255, 0);
constexpr COLORREF kTimeBackground = RGB(64, 64, 64);

// The design in twips: the time across the top, the two buttons below it.
constexpr TwipsRect kTimePlace{120, 0, 1935, 375};
constexpr TwipsRect kStartPlace{360, 480, 735, 375};
constexpr TwipsRect kClearPlace{1080, 480, 735, 375};
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// The window's outer size for its inner design size at `dpi`.
SIZE OuterSize(int dpi) {
  return OuterSizeForDpi(SIZE{TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)}, kStyle,
                         kExStyle, dpi);
}

// Placed and given its font by LayOut.
HWND MakeChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
  const HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  Tolerate(child != nullptr, "CreateWindowExW(stopwatch control)");
  return child;
}

}  // namespace

bool StopwatchWindow::Load() {
  if (Hwnd() != nullptr) return true;
  count_.Clear();
  // The system places a new window on the primary monitor: laid out for its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  p.exStyle = kExStyle;
  p.style = kStyle;
  p.caption = kCaption;
  const SIZE outer = OuterSize(dpi_);
  p.width = outer.cx;
  p.height = outer.cy;
  if (!CreateWindowFor(p)) return false;

  timeBackground_.reset(CreateSolidBrush(kTimeBackground));
  timeText_ = MakeChild(Hwnd(), L"STATIC", Widen(StopwatchText(0)).c_str(), SS_CENTER | SS_CENTERIMAGE, 0);
  startButton_ = MakeChild(Hwnd(), L"BUTTON", L"Start", WS_TABSTOP | BS_PUSHBUTTON, kStartButtonId);
  clearButton_ = MakeChild(Hwnd(), L"BUTTON", L"Clear", WS_TABSTOP | BS_PUSHBUTTON, kClearButtonId);
  LayOut();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, nullptr);
  // Escape does not close the stopwatch: a slip of the key would throw the running time away.
  keys_.Attach(Hwnd(), DialogKeys::OnEscape::Nothing, startButton_);
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

void StopwatchWindow::LayOut() {
  // Japanese faces are asked for by name with their character set: the default GUI font has no
  // kana on every system.
  UniqueFont timeFont = CreatePointFont("ＭＳ ゴシック", 12, dpi_, FW_BOLD, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  UniqueFont buttonFont = CreatePointFont("ＭＳ Ｐゴシック", 9, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  PlaceChild(timeText_, TwipsToPixels(kTimePlace, dpi_));
  PlaceChild(startButton_, TwipsToPixels(kStartPlace, dpi_));
  PlaceChild(clearButton_, TwipsToPixels(kClearPlace, dpi_));
  SetControlFont(timeText_, timeFont.get());
  SetControlFont(startButton_, buttonFont.get());
  SetControlFont(clearButton_, buttonFont.get());
  // The controls have the new fonts: the old ones can go.
  timeFont_ = std::move(timeFont);
  buttonFont_ = std::move(buttonFont);
}

void StopwatchWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  ApplySuggestedRectOrSize(Hwnd(), suggested, OuterSize(dpi_));
  LayOut();
}

void StopwatchWindow::OnStartClick() {
  const auto now = StopwatchCount::Clock::now();
  if (count_.Running()) {
    count_.Stop(now);
    KillTimer(Hwnd(), kTimerId);
    SetWindowTextW(startButton_, L"Start");
  } else {
    count_.Start(now);
    SetWindowTextW(startButton_, L"Stop");
    ArmTimer();
  }
  ShowCount();
}

void StopwatchWindow::OnClearClick() {
  count_.Clear();
  KillTimer(Hwnd(), kTimerId);
  SetWindowTextW(startButton_, L"Start");
  ShowCount();
}

void StopwatchWindow::OnTimer() {
  if (!count_.Running()) {
    KillTimer(Hwnd(), kTimerId);
    return;
  }
  ShowCount();
  ArmTimer();
}

void StopwatchWindow::ArmTimer() {
  // About a second, aimed just past the next whole second of running time.
  const int delay = MillisecondsToNextSecond(count_.Elapsed(StopwatchCount::Clock::now())) + kTickSlackMs;
  Tolerate(SetTimer(Hwnd(), kTimerId, static_cast<UINT>(delay), nullptr) != 0, "SetTimer(stopwatch)");
}

void StopwatchWindow::ShowCount() {
  if (timeText_ == nullptr) return;
  const std::wstring text = Widen(StopwatchText(count_.Seconds(StopwatchCount::Clock::now())));
  if (Widen(WindowTextOf(timeText_)) != text) SetWindowTextW(timeText_, text.c_str());
}

LRESULT StopwatchWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (keys_.Handle(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kStartButtonId) OnStartClick();
        if (LOWORD(wParam) == kClearButtonId) OnClearClick();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kTimerId) OnTimer();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == timeText_ && timeBackground_.valid()) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kTimeColour);
        SetBkColor(dc, kTimeBackground);
        return reinterpret_cast<LRESULT>(timeBackground_.get());
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      KillTimer(Hwnd(), kTimerId);
      timeText_ = startButton_ = clearButton_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void ShowStopwatch() {
  // One stopwatch for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<StopwatchWindow> stopwatch;
  if (!stopwatch) stopwatch = std::make_unique<StopwatchWindow>();
  if (stopwatch->Hwnd() != nullptr) {
    ShowWindow(stopwatch->Hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(stopwatch->Hwnd());
    return;
  }
  (void)stopwatch->Load();
}

}  // namespace qb
