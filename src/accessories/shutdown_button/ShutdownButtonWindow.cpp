#include "accessories/shutdown_button/ShutdownButtonWindow.h"

#include <algorithm>
#include <memory>

#include "accessories/shutdown_button/ShutdownButtonSettings.h"
#include "common/Numbers.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr int kClientWidthTwips = 960;
constexpr int kClientHeightTwips = 465;
constexpr int kPictureBoxWidthTwips = 975;
constexpr int kPictureBoxHeightTwips = 495;
constexpr char kTaskBarClass[] = "Shell_TrayWnd";

// The button's colours: a red face lit from above, light and dark bevels, a dark rim.
constexpr COLORREF kRim = RGB(90, 0, 0);
constexpr COLORREF kLight = RGB(255, 150, 140);
constexpr COLORREF kShade = RGB(130, 10, 10);
constexpr COLORREF kFaceTop = RGB(225, 60, 50);
constexpr COLORREF kFaceBottom = RGB(170, 25, 20);
constexpr COLORREF kShadow = RGB(64, 64, 64);
constexpr COLORREF kMark = RGB(255, 255, 255);
constexpr COLORREF kMarkShadow = RGB(110, 10, 10);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  if (!brush) return;
  const RECT area{left, top, right, bottom};
  FillRect(dc, &area, brush.get());
}

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
  const auto mix = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

// The power sign: a ring open at the top with a bar through the opening. Pixels of 96 dots per
// inch, drawn at `dpi`.
void DrawPowerSign(HDC dc, int centreX, int centreY, COLORREF colour, int dpi) {
  const auto at = [dpi](int v) { return ScaleForDpi(v, dpi); };
  UniquePen pen(CreatePen(PS_SOLID, at(2), colour));
  if (!pen) return;
  SelectGuard selectedPen(dc, pen.get());
  SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
  // Counter-clockwise from the upper left round the bottom to the upper right.
  Arc(dc, at(centreX - 8), at(centreY - 8), at(centreX + 9), at(centreY + 9), at(centreX - 5), at(centreY - 9),
      at(centreX + 5), at(centreY - 9));
  MoveToEx(dc, at(centreX), at(centreY - 10), nullptr);
  LineTo(dc, at(centreX), at(centreY));
}

// The program's own button, 64 x 32 pixels at 96 dots per inch (the button itself fills the top 31
// rows, the last row is its shadow), drawn at `dpi` rather than stretched: as sharp at any DPI.
void DrawButtonPicture(HDC dc, int dpi) {
  const auto at = [dpi](int v) { return ScaleForDpi(v, dpi); };
  constexpr int w = ShutdownButtonWindow::kPictureWidth;
  constexpr int h = ShutdownButtonWindow::kPictureHeight - 1;
  Fill(dc, 0, at(h), at(w), at(h + 1), kShadow);
  Fill(dc, 0, 0, at(w), at(h), kRim);
  Fill(dc, at(1), at(1), at(w - 1), at(h - 1), kShade);
  Fill(dc, at(1), at(1), at(w - 2), at(h - 2), kLight);
  // The face: its rows at this DPI, each blended for where it lies between the top and the bottom.
  const int faceTop = at(2);
  const int faceRows = at(h - 2) - faceTop;
  for (int row = 0; row < faceRows; ++row)
    Fill(dc, at(2), faceTop + row, at(w - 2), faceTop + row + 1, Blend(kFaceTop, kFaceBottom, row, faceRows - 1));

  DrawPowerSign(dc, 18, 16, kMarkShadow, dpi);
  DrawPowerSign(dc, 17, 15, kMark, dpi);

  // Unsmoothed: at this size the strokes of 終 run together when smoothed.
  UniqueFont font(CreateFontW(-at(14), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
  if (!font) return;
  SelectGuard selectedFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  RECT text{at(30), at(1), at(w - 3), at(h - 1)};
  SetTextColor(dc, kMarkShadow);
  RECT shadow{text.left + at(1), text.top + at(1), text.right + at(1), text.bottom + at(1)};
  DrawTextW(dc, L"終了", -1, &shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, kMark);
  DrawTextW(dc, L"終了", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void ShowWinBootDialog() {
  const HWND taskBar = FindChildWindow(nullptr, nullptr, kTaskBarClass, "");
  if (taskBar == nullptr) return;
  Tolerate(PostWindowMessage(taskBar, WM_CLOSE, 0, 0), "PostMessageW(Shell_TrayWnd, WM_CLOSE)");
}

void ShutdownButtonWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = nullptr;  // the picture covers the whole window
}

bool ShutdownButtonWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // The stored place is one of the whole desktop, at its one scale; the button's size is that of
  // the monitor the place is on.
  const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
  const PixelPoint place = LoadShutdownButtonPlace(desktopTwipsPerPixel, desktopTwipsPerPixel);
  dpi_ = DpiAtPoint(POINT{place.x, place.y});

  WindowCreateParams p;
  // A tool window: a desktop accessory, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP | WS_CLIPCHILDREN;
  p.x = place.x;
  p.y = place.y;
  p.width = TwipsToPixels(kClientWidthTwips, dpi_);
  p.height = TwipsToPixels(kClientHeightTwips, dpi_);
  if (!CreateWindowFor(p)) return false;
  if (!picture_.Create(Hwnd(), 0, 0, TwipsToPixels(kPictureBoxWidthTwips, dpi_), TwipsToPixels(kPictureBoxHeightTwips, dpi_),
                       GetSysColor(COLOR_BTNFACE), this)) {
    Destroy();
    return false;
  }
  DrawPicture();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, nullptr);
  shown_ = false;
  place_.Placed(false);
  return true;
}

void ShutdownButtonWindow::DrawPicture() {
  picture_.Cls();
  DrawButtonPicture(picture_.Dc(), dpi_);
  picture_.Refresh();
}

void ShutdownButtonWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  ApplySuggestedRectOrSize(Hwnd(), suggested,
                           SIZE{TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)});
  picture_.SetBounds(0, 0, TwipsToPixels(kPictureBoxWidthTwips, dpi_), TwipsToPixels(kPictureBoxHeightTwips, dpi_));
  DrawPicture();
}

void ShutdownButtonWindow::Show() {
  if (Hwnd() == nullptr) return;
  if (!shown_) {
    // A place that lies on no monitor shows on the nearest one and stays stored until the user
    // moves the button.
    place_.BringOntoScreen(Hwnd());
    shown_ = true;
  }
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
}

void ShutdownButtonWindow::PictureBox_MouseDown(PictureBox&, PictureBox::Button button, int, int) {
  if (button == PictureBox::Button::Left) {
    OnDrag();
  } else {
    OnShutDownRequest();
  }
}

void ShutdownButtonWindow::OnDrag() { place_.DragByItsBody(Hwnd()); }

void ShutdownButtonWindow::OnShutDownRequest() {
  if (const std::optional<PixelPoint> place = place_.PlaceToStore(Hwnd())) {
    const double desktopTwipsPerPixel = TwipsPerPixel(SystemDpi());
    StoreShutdownButtonPlace(*place, desktopTwipsPerPixel, desktopTwipsPerPixel);
  }
  ShowWinBootDialog();
}

LRESULT ShutdownButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers everything
    case WM_DISPLAYCHANGE:
      place_.OnDisplayChange(Hwnd());
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void ShowShutdownButton() {
  // One button for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<ShutdownButtonWindow> button;
  if (!button) button = std::make_unique<ShutdownButtonWindow>();
  if (!button->Load()) return;
  button->Show();
}

}  // namespace qb
