#include "accessories/colour_chooser/ColourChooserWindow.h"

#include <memory>
#include <utility>

#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// The design sizes in twips, in pixels at the window's DPI.
constexpr int kClientWidthTwips = 870;
constexpr int kClientHeightTwips = 7080;
constexpr TwipsRect kHueBarPlace{0, 0, 375, 5865};
constexpr TwipsRect kShadeBarPlace{480, 0, 375, 5865};
constexpr TwipsRect kSamplePlace{0, 5880, 855, 375};
constexpr TwipsRect kHexTextPlace{0, 6240, 855, 375};
constexpr TwipsRect kButtonPlace{0, 6720, 855, 300};
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

constexpr UINT_PTR kEyedropperTimer = 1;
constexpr int kButtonId = 11;  // away from IDOK and IDCANCEL, which the dialog keys send

// The window's outer size for its inner design size at `dpi`.
SIZE OuterSize(int dpi) {
  return OuterSizeForDpi(SIZE{TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)}, kStyle,
                         kExStyle, dpi);
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
  // The system places a new window on the primary monitor: laid out for its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  p.exStyle = kExStyle;
  p.style = kStyle;
  const SIZE outer = OuterSize(dpi_);
  p.width = outer.cx;
  p.height = outer.cy;
  const std::wstring caption = Widen(kCaption);
  p.caption = caption.c_str();
  if (!CreateWindowFor(p)) return false;

  // The bars' background below their bands is the face colour of the window.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (!hueBar_.Create(Hwnd(), 0, 0, 1, 1, face, this) || !shadeBar_.Create(Hwnd(), 0, 0, 1, 1, face, this) ||
      !sample_.Create(Hwnd(), 0, 0, 1, 1, face, nullptr)) {
    Destroy();
    return false;
  }
  hexText_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, Hwnd(),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  getColourButton_ = CreateWindowExW(0, L"BUTTON", Widen(kStartCaption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                     0, 0, 0, 0, Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                     GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(hexText_ != nullptr && getColourButton_ != nullptr, "CreateWindowExW(chooser controls)")) {
    Destroy();
    return false;
  }
  eyedropperRunning_ = false;
  // A new window starts with the shade bar for white and an empty sample.
  shadeColour_ = Rgb{255, 255, 255};
  shownColour_.reset();
  LayOut();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, nullptr);
  // The window opens ready for its main action: Enter or Space starts the eyedropper.
  keys_.Attach(Hwnd(), DialogKeys::OnEscape::Close, getColourButton_);
  return true;
}

void ColourChooserWindow::LayOut() {
  const auto place = [&](PictureBox& box, const TwipsRect& design) {
    const PixelRect r = TwipsToPixels(design, dpi_);
    box.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  place(hueBar_, kHueBarPlace);
  place(shadeBar_, kShadeBarPlace);
  place(sample_, kSamplePlace);
  PlaceChild(hexText_, TwipsToPixels(kHexTextPlace, dpi_));
  PlaceChild(getColourButton_, TwipsToPixels(kButtonPlace, dpi_));
  // A Japanese face by name: the default GUI font has no Japanese glyphs on every system.
  UniqueFont font = CreatePointFont(kFontFace, kFontPoints, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
  SetControlFont(hexText_, font.get());
  SetControlFont(getColourButton_, font.get());
  font_ = std::move(font);  // the controls have the new font: the old one can go
  // The bars drawn afresh at their new size, for the colours they showed.
  DrawHueBar();
  DrawShadeBar(shadeColour_);
  if (shownColour_) ShowColour(*shownColour_);
}

void ColourChooserWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  ApplySuggestedRectOrSize(Hwnd(), suggested, OuterSize(dpi_));
  LayOut();
}

void ColourChooserWindow::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Hwnd());
}

void ColourChooserWindow::FillBands(PictureBox& box, const std::vector<ColourBand>& bands) {
  // The bands are rows of pixels at 96 dots per inch; at the window's DPI each grows with it, band
  // joined to band as at 96.
  for (const auto& band : bands) {
    const PixelRect r = ScaleForDpi(PixelRect{0, band.top, kBandRight, band.bottom}, dpi_);
    FillRect(box.Dc(), r.left, r.top, r.right, r.bottom, band.colour);
  }
  box.Refresh();
}

void ColourChooserWindow::DrawHueBar() { FillBands(hueBar_, HueBands()); }

void ColourChooserWindow::DrawShadeBar(Rgb colour) {
  shadeColour_ = colour;
  FillBands(shadeBar_, ShadeBands(colour));
}

void ColourChooserWindow::ShowColour(Rgb colour) {
  shownColour_ = colour;
  FillRect(sample_.Dc(), 0, 0, sample_.ImageWidth(), sample_.ImageHeight(), colour);
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
  if (const WindowDc screen(nullptr); screen) pixel = GetPixel(screen.get(), at.x, at.y);
  ShowColour(SplitColourValue(pixel));
}

LRESULT ColourChooserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (keys_.Handle(message, wParam, lParam)) return 0;
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
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
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
