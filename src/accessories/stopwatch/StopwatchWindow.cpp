#include "accessories/stopwatch/StopwatchWindow.h"

#include <memory>

#include "platform/DebugLog.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr int kClientWidthTwips = 2160;
constexpr int kClientHeightTwips = 960;
constexpr int kStartButtonId = 1;
constexpr int kClearButtonId = 2;
constexpr UINT_PTR kTimerId = 1;
// Ticks are aimed just past the next whole second of running time, so that a tick never lands a
// hair before it and shows the previous second again.
constexpr int kTickSlackMs = 20;
constexpr COLORREF kTimeColour = RGB(0, 255, 0);
constexpr COLORREF kTimeBackground = RGB(64, 64, 64);

int PixelsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int PixelsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }

// Japanese faces are asked for by name with their character set: the default GUI font has no
// kana on every system.
HFONT MakeFont(const char* face, int tenthsOfPoint, int weight) {
  return CreateFontW(-MulDiv(tenthsOfPoint, ScreenDpi(LOGPIXELSY), 720), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     Widen(face).c_str());
}

HWND MakeChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int leftTwips,
               int topTwips, int widthTwips, int heightTwips, HFONT font) {
  const HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, PixelsX(leftTwips),
                                     PixelsY(topTwips), PixelsX(widthTwips), PixelsY(heightTwips), parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (Tolerate(child != nullptr, "CreateWindowExW(stopwatch control)") && font != nullptr)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

bool StopwatchWindow::Load() {
  if (Hwnd() != nullptr) return true;
  count_.Clear();
  WindowCreateParams p;
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  p.caption = kCaption;
  RECT outer{0, 0, PixelsX(kClientWidthTwips), PixelsY(kClientHeightTwips)};
  Tolerate(AdjustWindowRectEx(&outer, p.style, FALSE, p.exStyle) != 0, "AdjustWindowRectEx");
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  if (!CreateWindowFor(p)) return false;

  timeFont_.reset(MakeFont("ＭＳ ゴシック", 120, FW_BOLD));
  buttonFont_.reset(MakeFont("ＭＳ Ｐゴシック", 90, FW_NORMAL));
  timeBackground_.reset(CreateSolidBrush(kTimeBackground));
  timeText_ = MakeChild(Hwnd(), L"STATIC", Widen(StopwatchText(0)).c_str(), SS_CENTER | SS_CENTERIMAGE, 0, 120, 0,
                        1935, 375, timeFont_.get());
  startButton_ = MakeChild(Hwnd(), L"BUTTON", L"Start", WS_TABSTOP | BS_PUSHBUTTON, kStartButtonId, 360, 480, 735,
                           375, buttonFont_.get());
  clearButton_ = MakeChild(Hwnd(), L"BUTTON", L"Clear", WS_TABSTOP | BS_PUSHBUTTON, kClearButtonId, 1080, 480, 735,
                           375, buttonFont_.get());
  ShowWindow(Hwnd(), SW_SHOW);
  if (startButton_ != nullptr) SetFocus(startButton_);
  return true;
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
