#include "accessories/shutdown_button/ShutdownButtonWindow.h"

#include <algorithm>
#include <memory>

#include "accessories/shutdown_button/ShutdownButtonSettings.h"
#include "common/Numbers.h"
#include "platform/DebugLog.h"
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

int PixelsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int PixelsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }

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

// The power sign: a ring open at the top with a bar through the opening.
void DrawPowerSign(HDC dc, int centreX, int centreY, COLORREF colour) {
  UniquePen pen(CreatePen(PS_SOLID, 2, colour));
  if (!pen) return;
  SelectGuard selectedPen(dc, pen.get());
  SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
  // Counter-clockwise from the upper left round the bottom to the upper right.
  Arc(dc, centreX - 8, centreY - 8, centreX + 9, centreY + 9, centreX - 5, centreY - 9, centreX + 5, centreY - 9);
  MoveToEx(dc, centreX, centreY - 10, nullptr);
  LineTo(dc, centreX, centreY);
}

// The program's own 64 x 32 button: the button itself fills the top 31 rows, the last row is its
// shadow.
void DrawButtonPicture(HDC dc) {
  constexpr int w = ShutdownButtonWindow::kPictureWidth;
  constexpr int h = ShutdownButtonWindow::kPictureHeight - 1;
  Fill(dc, 0, h, w, h + 1, kShadow);
  Fill(dc, 0, 0, w, h, kRim);
  Fill(dc, 1, 1, w - 1, h - 1, kShade);
  Fill(dc, 1, 1, w - 2, h - 2, kLight);
  const int faceRows = h - 4;
  for (int row = 0; row < faceRows; ++row)
    Fill(dc, 2, 2 + row, w - 2, 3 + row, Blend(kFaceTop, kFaceBottom, row, faceRows - 1));

  DrawPowerSign(dc, 18, 16, kMarkShadow);
  DrawPowerSign(dc, 17, 15, kMark);

  // Unsmoothed: at this size the strokes of 終 run together when smoothed.
  UniqueFont font(CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
  if (!font) return;
  SelectGuard selectedFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  RECT text{30, 1, w - 3, h - 1};
  SetTextColor(dc, kMarkShadow);
  RECT shadow{text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
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
  twipsPerPixelX_ = TwipsPerPixel(ScreenDpi(LOGPIXELSX));
  twipsPerPixelY_ = TwipsPerPixel(ScreenDpi(LOGPIXELSY));
  const PixelPoint place = LoadShutdownButtonPlace(twipsPerPixelX_, twipsPerPixelY_);

  WindowCreateParams p;
  // A tool window: a desktop accessory, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP | WS_CLIPCHILDREN;
  p.x = place.x;
  p.y = place.y;
  p.width = PixelsX(kClientWidthTwips);
  p.height = PixelsY(kClientHeightTwips);
  if (!CreateWindowFor(p)) return false;
  if (!picture_.Create(Hwnd(), 0, 0, PixelsX(kPictureBoxWidthTwips), PixelsY(kPictureBoxHeightTwips),
                       GetSysColor(COLOR_BTNFACE), this)) {
    Destroy();
    return false;
  }
  DrawPicture();
  shown_ = false;
  place_.Placed(false);
  return true;
}

void ShutdownButtonWindow::DrawPicture() {
  OffscreenImage art;
  if (!art.Create(kPictureWidth, kPictureHeight, GetSysColor(COLOR_BTNFACE))) return;
  DrawButtonPicture(art.Dc());
  // The picture grows with the window on screens of more than 96 dots per inch.
  const int width = MulDiv(kPictureWidth, ScreenDpi(LOGPIXELSX), 96);
  const int height = MulDiv(kPictureHeight, ScreenDpi(LOGPIXELSY), 96);
  if (width == kPictureWidth && height == kPictureHeight) {
    BitBlt(picture_.Dc(), 0, 0, width, height, art.Dc(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(picture_.Dc(), HALFTONE);
    SetBrushOrgEx(picture_.Dc(), 0, 0, nullptr);
    StretchBlt(picture_.Dc(), 0, 0, width, height, art.Dc(), 0, 0, kPictureWidth, kPictureHeight, SRCCOPY);
  }
  picture_.Refresh();
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
    StoreShutdownButtonPlace(*place, twipsPerPixelX_, twipsPerPixelY_);
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
