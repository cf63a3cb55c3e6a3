#include "accessories/colour_chooser/ColourChooserWindow.h"

#include <memory>

#include "platform/DebugLog.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

// The design sizes in twips, scaled to the screen's pixels.
constexpr int kClientWidthTwips = 870;
constexpr int kClientHeightTwips = 7080;
struct TwipsRect {
  int x, y, width, height;
};
constexpr TwipsRect kHueBarPlace{0, 0, 375, 5865};
constexpr TwipsRect kShadeBarPlace{480, 0, 375, 5865};
constexpr TwipsRect kSamplePlace{0, 5880, 855, 375};
constexpr TwipsRect kHexTextPlace{0, 6240, 855, 375};
constexpr TwipsRect kButtonPlace{0, 6720, 855, 300};

constexpr UINT_PTR kEyedropperTimer = 1;
constexpr int kButtonId = 1;

int ToPixelsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int ToPixelsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }
RECT ToPixels(const TwipsRect& r) {
  const int x = ToPixelsX(r.x);
  const int y = ToPixelsY(r.y);
  return RECT{x, y, x + ToPixelsX(r.width), y + ToPixelsY(r.height)};
}

COLORREF ToColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

void FillRect(HDC dc, int left, int top, int right, int bottom, Rgb colour) {
  const UniqueBrush brush(CreateSolidBrush(ToColorRef(colour)));
  if (!Tolerate(brush.valid(), "CreateSolidBrush")) return;
  const RECT r{left, top, right, bottom};
  ::FillRect(dc, &r, brush.get());
}

}  // namespace

void ColourChooserWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

bool ColourChooserWindow::Load() {
  if (Hwnd() != nullptr) return true;
  WindowCreateParams p;
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT outer{0, 0, ToPixelsX(kClientWidthTwips), ToPixelsY(kClientHeightTwips)};
  Tolerate(AdjustWindowRectEx(&outer, p.style, FALSE, p.exStyle) != 0, "AdjustWindowRectEx");
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  const std::wstring caption = Widen(kCaption);
  p.caption = caption.c_str();
  if (!CreateWindowFor(p)) return false;

  // The bars' background below their bands is the face colour of the window.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto makeBox = [&](PictureBox& box, const TwipsRect& place, Listener* listener) {
    const RECT r = ToPixels(place);
    return box.Create(Hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, face, listener);
  };
  if (!makeBox(hueBar_, kHueBarPlace, this) || !makeBox(shadeBar_, kShadeBarPlace, this) ||
      !makeBox(sample_, kSamplePlace, nullptr)) {
    Destroy();
    return false;
  }
  const RECT text = ToPixels(kHexTextPlace);
  hexText_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, text.left, text.top,
                             text.right - text.left, text.bottom - text.top, Hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  const RECT button = ToPixels(kButtonPlace);
  getColourButton_ = CreateWindowExW(0, L"BUTTON", Widen(kStartCaption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                     button.left, button.top, button.right - button.left, button.bottom - button.top,
                                     Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                     GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(hexText_ != nullptr && getColourButton_ != nullptr, "CreateWindowExW(chooser controls)")) {
    Destroy();
    return false;
  }
  // A Japanese face by name: the default GUI font has no Japanese glyphs on every system.
  font_.reset(CreateFontW(-MulDiv(kFontPoints, ScreenDpi(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          FIXED_PITCH | FF_MODERN, Widen(kFontFace).c_str()));
  if (Tolerate(font_.valid(), "CreateFontW")) {
    SendMessageW(hexText_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(getColourButton_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  eyedropperRunning_ = false;
  DrawHueBar();
  DrawShadeBar(Rgb{255, 255, 255});
  return true;
}

void ColourChooserWindow::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Hwnd());
}

void ColourChooserWindow::FillBands(PictureBox& box, const std::vector<ColourBand>& bands) {
  for (const auto& band : bands) FillRect(box.Dc(), 0, band.top, kBandRight, band.bottom, band.colour);
  box.Refresh();
}

void ColourChooserWindow::DrawHueBar() { FillBands(hueBar_, HueBands()); }

void ColourChooserWindow::DrawShadeBar(Rgb colour) { FillBands(shadeBar_, ShadeBands(colour)); }

void ColourChooserWindow::ShowColour(Rgb colour) {
  FillRect(sample_.Dc(), 0, 0, 200, 200, colour);
  sample_.Refresh();
  SetWindowTextW(hexText_, Widen(HexText(colour)).c_str());
}

Rgb ColourChooserWindow::ColourAt(const PictureBox& box, int x, int y) {
  const OffscreenImage& image = box.Image();
  if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height() || image.Pixels() == nullptr)
    return SplitColourValue(CLR_INVALID);
  GdiFlush();
  const std::uint32_t rgb = image.Pixels()[static_cast<std::size_t>(y) * image.Width() + x];
  return Rgb{static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)};
}

void ColourChooserWindow::PictureBox_MouseUp(PictureBox& box, PictureBox::Button, int x, int y) {
  if (&box == &hueBar_) {
    DrawShadeBar(ColourAt(box, x, y));
  } else if (&box == &shadeBar_) {
    ShowColour(ColourAt(box, x, y));
  }
}

void ColourChooserWindow::OnGetColourClick() {
  if (eyedropperRunning_) {
    StopEyedropper();
    return;
  }
  if (!Tolerate(SetTimer(Hwnd(), kEyedropperTimer, kEyedropperMs, nullptr) != 0, "SetTimer(eyedropper)")) return;
  eyedropperRunning_ = true;
  SetWindowTextW(getColourButton_, Widen(kStopCaption).c_str());
}

void ColourChooserWindow::StopEyedropper() {
  if (eyedropperRunning_) KillTimer(Hwnd(), kEyedropperTimer);
  eyedropperRunning_ = false;
  if (getColourButton_ != nullptr) SetWindowTextW(getColourButton_, Widen(kStartCaption).c_str());
}

void ColourChooserWindow::OnEyedropperTick() {
  POINT at{};
  if (!GetCursorPos(&at)) return;
  COLORREF pixel = CLR_INVALID;
  if (const HDC screen = GetDC(nullptr)) {
    pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
  }
  ShowColour(SplitColourValue(pixel));
}

LRESULT ColourChooserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
        OnGetColourClick();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kEyedropperTimer) {
        OnEyedropperTick();
        return 0;
      }
      break;
    case WM_CLOSE:
      Destroy();
      return 0;
    case WM_DESTROY:
      StopEyedropper();
      hexText_ = nullptr;
      getColourButton_ = nullptr;
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void ShowColourChooser() {
  // One chooser for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<ColourChooserWindow> chooser;
  if (!chooser) chooser = std::make_unique<ColourChooserWindow>();
  if (!chooser->Load()) return;
  chooser->Show();
}

}  // namespace qb
