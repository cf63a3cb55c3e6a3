#include "accessories/memory/MemoryStatusWindow.h"

#include <memory>
#include <utility>
#include <vector>

#include "accessories/memory/MemoryFigures.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr int kClientWidthTwips = 4095;
constexpr int kClientHeightTwips = 2070;
constexpr std::array<int, 4> kRowTopTwips = {120, 480, 840, 1200};
constexpr std::array<const char*, 4> kRowCaptions = {"メモリ使用率", "物理メモリ", "ページングファイル", "仮想アドレス"};
constexpr int kRowHeightTwips = 255;
constexpr int kCaptionLeftTwips = 120;
constexpr int kCaptionWidthTwips = 1815;
constexpr int kTrackLeftTwips = 2040;
constexpr int kTrackWidthTwips = 1935;
constexpr int kPercentLeftTwips = 2160;
constexpr int kPercentWidthTwips = 1695;
constexpr int kPercentLabelId = 100;  // + row
constexpr int kDietButtonId = 200;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kRefreshMs = 300;
constexpr COLORREF kTrackColour = RGB(128, 128, 128);
constexpr COLORREF kBarColour = RGB(128, 128, 255);

constexpr TwipsRect kDietButtonPlace{2040, 1560, 1935, 375};
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// The window's outer size for its inner design size at `dpi`.
SIZE OuterSize(int dpi) {
  return OuterSizeForDpi(SIZE{TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)}, kStyle,
                         kExStyle, dpi);
}

// Placed and given its font by LayOut.
HWND MakeChild(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id) {
  const HWND child = CreateWindowExW(0, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  Tolerate(child != nullptr, "CreateWindowExW(memory status control)");
  return child;
}

TwipsRect CaptionPlace(size_t row) { return {kCaptionLeftTwips, kRowTopTwips[row], kCaptionWidthTwips, kRowHeightTwips}; }
TwipsRect TrackPlace(size_t row) { return {kTrackLeftTwips, kRowTopTwips[row], kTrackWidthTwips, kRowHeightTwips}; }
TwipsRect PercentPlace(size_t row) { return {kPercentLeftTwips, kRowTopTwips[row], kPercentWidthTwips, kRowHeightTwips}; }

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

MemoryFigures ReadMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  MemoryFigures figures;
  if (!Tolerate(GlobalMemoryStatusEx(&status) != 0, "GlobalMemoryStatusEx")) return figures;
  figures.memoryLoad = status.dwMemoryLoad;
  figures.totalPhysical = status.ullTotalPhys;
  figures.availablePhysical = status.ullAvailPhys;
  figures.totalPageFile = status.ullTotalPageFile;
  figures.availablePageFile = status.ullAvailPageFile;
  figures.totalVirtual = status.ullTotalVirtual;
  figures.availableVirtual = status.ullAvailVirtual;
  return figures;
}

}  // namespace

bool MemoryStatusWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // The system places a new window on the primary monitor: laid out for its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  p.exStyle = kExStyle;
  p.style = kStyle;
  const std::wstring caption = Widen(kCaption);
  p.caption = caption.c_str();
  const SIZE outer = OuterSize(dpi_);
  p.width = outer.cx;
  p.height = outer.cy;
  if (!CreateWindowFor(p)) return false;

  trackBrush_.reset(CreateSolidBrush(kTrackColour));
  barBrush_.reset(CreateSolidBrush(kBarColour));
  for (size_t row = 0; row < kRowTopTwips.size(); ++row) {
    captionLabels_[row] = MakeChild(Hwnd(), L"STATIC", kRowCaptions[row], SS_CENTER | SS_CENTERIMAGE, 0);
    // Drawn by the window itself: the label is transparent over its bar.
    percentLabels_[row] = MakeChild(Hwnd(), L"STATIC", "", SS_OWNERDRAW, kPercentLabelId + static_cast<int>(row));
  }
  dietButton_ = MakeChild(Hwnd(), L"BUTTON", kDietButtonText, WS_TABSTOP | BS_PUSHBUTTON, kDietButtonId);
  LayOut();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, nullptr);
  OnTimer();
  Tolerate(SetTimer(Hwnd(), kTimerId, kRefreshMs, nullptr) != 0, "SetTimer(memory status)");
  keys_.Attach(Hwnd(), DialogKeys::OnEscape::Close, dietButton_);
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

void MemoryStatusWindow::LayOut() {
  // Japanese faces are asked for by name with their character set: the default GUI font has no
  // kana on every system.
  UniqueFont captionFont = CreatePointFont("ＭＳ ゴシック", 9.75, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  UniqueFont percentFont = CreatePointFont("ＭＳ Ｐゴシック", 12, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  UniqueFont buttonFont = CreatePointFont("ＭＳ Ｐゴシック", 9, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  for (size_t row = 0; row < kRowTopTwips.size(); ++row) {
    PlaceChild(captionLabels_[row], TwipsToPixels(CaptionPlace(row), dpi_));
    PlaceChild(percentLabels_[row], TwipsToPixels(PercentPlace(row), dpi_));
    SetControlFont(captionLabels_[row], captionFont.get());
    SetControlFont(percentLabels_[row], percentFont.get());
  }
  PlaceChild(dietButton_, TwipsToPixels(kDietButtonPlace, dpi_));
  SetControlFont(dietButton_, buttonFont.get());
  // The controls have the new fonts: the old ones can go.
  captionFont_ = std::move(captionFont);
  percentFont_ = std::move(percentFont);
  buttonFont_ = std::move(buttonFont);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

RECT MemoryStatusWindow::TrackRect(int row) const {
  return ToRect(TwipsToPixels(TrackPlace(static_cast<size_t>(row)), dpi_));
}

void MemoryStatusWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  ApplySuggestedRectOrSize(Hwnd(), suggested, OuterSize(dpi_));
  LayOut();
}

void MemoryStatusWindow::OnTimer() {
  const std::array<int, 4> percents = MemoryPercentages(ReadMemoryFigures());
  for (size_t row = 0; row < percents.size(); ++row) {
    const HWND label = percentLabels_[row];
    if (label == nullptr) continue;
    const std::string text = PercentText(percents[row]);
    // Only what changed is redrawn: a refresh three times a second must not flicker.
    if (percents[row] == percents_[row] && WindowTextOf(label) == text) continue;
    percents_[row] = percents[row];
    SetWindowTextW(label, Widen(text).c_str());
    const RECT track = TrackRect(static_cast<int>(row));
    InvalidateRect(Hwnd(), &track, FALSE);
    InvalidateRect(label, nullptr, FALSE);
  }
}

void MemoryStatusWindow::OnDietClick() {
  if (startDiet_) startDiet_();
}

void MemoryStatusWindow::DrawBar(HDC dc, int row, const RECT& clip) const {
  const RECT track = TrackRect(row);
  RECT bar = track;
  bar.right = track.left + BarWidth(track.right - track.left, percents_[static_cast<size_t>(row)]);
  RECT part{};
  if (IntersectRect(&part, &track, &clip)) FillRect(dc, &part, trackBrush_.get());
  if (IntersectRect(&part, &bar, &clip)) FillRect(dc, &part, barBrush_.get());
}

void MemoryStatusWindow::Paint() {
  PAINTSTRUCT ps{};
  const HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc == nullptr) return;
  for (int row = 0; row < 4; ++row) DrawBar(dc, row, ps.rcPaint);
  EndPaint(Hwnd(), &ps);
}

void MemoryStatusWindow::DrawPercentLabel(const DRAWITEMSTRUCT& item) {
  const int row = static_cast<int>(item.CtlID) - kPercentLabelId;
  if (row < 0 || row >= 4) return;
  // The bar under the label, in the label's coordinates.
  POINT origin{0, 0};
  MapWindowPoints(item.hwndItem, Hwnd(), &origin, 1);
  const int saved = SaveDC(item.hDC);
  SetViewportOrgEx(item.hDC, -origin.x, -origin.y, nullptr);
  RECT clip = item.rcItem;
  OffsetRect(&clip, origin.x, origin.y);
  DrawBar(item.hDC, row, clip);
  RestoreDC(item.hDC, saved);

  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, row == 0 ? RGB(255, 255, 255) : GetSysColor(COLOR_HIGHLIGHTTEXT));
  const HGDIOBJ oldFont = SelectObject(item.hDC, percentFont_.get());
  const std::wstring text = Widen(WindowTextOf(item.hwndItem));
  RECT box = item.rcItem;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, oldFont);
}

LRESULT MemoryStatusWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (keys_.Handle(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) OnTimer();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kDietButtonId && HIWORD(wParam) == BN_CLICKED) {
        OnDietClick();
        return 0;
      }
      break;
    case WM_DRAWITEM:
      DrawPercentLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(255, 255, 255));
      SetBkColor(dc, GetSysColor(COLOR_APPWORKSPACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_APPWORKSPACE));
    }
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      KillTimer(Hwnd(), kTimerId);
      captionLabels_ = {};
      percentLabels_ = {};
      dietButton_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void OpenMemoryStatusWindow(std::function<void()> startDiet) {
  // Every choice of the item is one more window; the objects of closed ones go on the next open.
  static std::vector<std::unique_ptr<MemoryStatusWindow>> windows;
  std::erase_if(windows, [](const auto& window) { return window->Hwnd() == nullptr; });
  auto window = std::make_unique<MemoryStatusWindow>(std::move(startDiet));
  if (window->Load()) windows.push_back(std::move(window));
}

}  // namespace qb
