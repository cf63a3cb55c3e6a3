#include "accessories/launcher/LauncherWindow.h"

#include <algorithm>
#include <utility>

#include "accessories/launcher/LauncherEntry.h"
#include "common/FileSystem.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/FileIcons.h"
#include "platform/ShellStart.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// The design sizes in twips, scaled to the screen's pixels. Each row is a strip as wide as the
// window with the icon box at its left and the name to the right of it; the strips overlap by a
// hair, as they always have.
constexpr int kClientWidthTwips = 2940;
constexpr int kClientHeightTwips = 7785;
constexpr int kRowStepTwips = 480;
constexpr int kRowWidthTwips = 3015;
constexpr int kRowHeightTwips = 495;
constexpr int kIconSizeTwips = 495;
constexpr int kNameLeftTwips = 600;
constexpr int kNameTopTwips = 120;
constexpr int kNameWidthTwips = 2415;
constexpr int kNameHeightTwips = 375;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_DLGFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

PixelRect PlaceInPixels(int leftTwips, int topTwips, int widthTwips, int heightTwips, int dpi) {
  return TwipsToPixels(TwipsRect{leftTwips, topTwips, widthTwips, heightTwips}, dpi);
}

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The file whose icon a row shows: the one the entry opens, or the program its command line
// starts (found as the system finds a command when it is named without its folder).
std::string IconFileOf(const LaunchTarget& target) {
  if (target.kind == LaunchTarget::Kind::Command && !SystemFileSystem().FileExists(target.file))
    return FindProgramFile(target.file);
  return target.file;
}

}  // namespace

void LauncherWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
}

bool LauncherWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // The system places a new window on the primary monitor: laid out for its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  p.exStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;  // no taskbar button; a dialog's frame
  // An overlapped window, so that the system chooses where it goes. Windows gives every overlapped
  // window a title bar when it is created; it is taken away below.
  p.style = WS_OVERLAPPED | WS_CLIPCHILDREN;
  p.width = TwipsToPixels(kClientWidthTwips, dpi_);
  p.height = TwipsToPixels(kClientHeightTwips, dpi_);
  if (!CreateWindowFor(p)) return false;

  SetWindowLongPtrW(Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(kStyle));
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) dpi_ = shownAt;
  FitFrame(nullptr, SWP_NOMOVE | SWP_FRAMECHANGED);
  font_ = MakeFont();
  if (!CreateRows()) {
    Destroy();
    return false;
  }
  for (int row = 0; row < LauncherRows::kRowCount; ++row) LoadItem(row);
  for (int row = 0; row < LauncherRows::kRowCount; ++row) ShowRowLook(row);

  // Windows gives the first window a process shows the show state its starter asked for, whatever
  // is asked here (the ShowWindow documentation); minimised or hidden, a window without a title bar
  // could not be reached at all, and maximised a menu would fill the screen. It comes back normal.
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  if (IsIconic(Hwnd()) || IsZoomed(Hwnd()) || !IsWindowVisible(Hwnd())) ShowWindow(Hwnd(), SW_SHOWNORMAL);
  // In front with the keys: the resident program handed this process the right to come forward.
  Tolerate(SetForegroundWindow(Hwnd()) != FALSE, "SetForegroundWindow(launcher)");
  SetFocus(Hwnd());
  UpdateWindow(Hwnd());
  return true;
}

UniqueFont LauncherWindow::MakeFont() const {
  // A Japanese face by name: the default GUI font has no Japanese glyphs on every system.
  return CreatePointFont(kFontFace, kFontPoints, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH | FF_DONTCARE);
}

void LauncherWindow::FitFrame(const RECT* suggested, UINT flags) {
  if (suggested != nullptr) {
    ApplySuggestedRect(Hwnd(), reinterpret_cast<LPARAM>(suggested));
    return;
  }
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE));
  RECT outer{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
  AdjustWindowRectForDpi(outer, kStyle, exStyle, dpi_);
  Tolerate(SetWindowPos(Hwnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                        SWP_NOZORDER | SWP_NOACTIVATE | flags) != 0,
           "SetWindowPos(launcher frame)");
}

LauncherWindow::RowPlaces LauncherWindow::RowPlacesAt(int row) const {
  const int topTwips = kRowStepTwips * row;
  RowPlaces places;
  places.strip = ToRect(PlaceInPixels(0, topTwips, kRowWidthTwips, kRowHeightTwips, dpi_));
  places.icon = ToRect(PlaceInPixels(0, topTwips, kIconSizeTwips, kIconSizeTwips, dpi_));
  places.name = ToRect(PlaceInPixels(kNameLeftTwips, topTwips + kNameTopTwips, kNameWidthTwips, kNameHeightTwips, dpi_));
  // The strip below covers the last hair of this one, icon and name included.
  if (row + 1 < LauncherRows::kRowCount) {
    const LONG nextTop = TwipsToPixels(kRowStepTwips * (row + 1), dpi_);
    places.icon.bottom = std::min(places.icon.bottom, nextTop);
    places.name.bottom = std::min(places.name.bottom, nextTop);
  }
  return places;
}

bool LauncherWindow::CreateRows() {
  const COLORREF menuColour = GetSysColor(COLOR_MENU);
  for (int row = 0; row < LauncherRows::kRowCount; ++row) {
    const RowPlaces places = RowPlacesAt(row);
    rowPlaces_[row] = places.strip;
    const RECT& icon = places.icon;
    Row& r = rowWindows_[row];
    if (!r.icon.Create(Hwnd(), icon.left, icon.top, icon.right - icon.left, icon.bottom - icon.top, menuColour, nullptr) ||
        !r.name.Create(Hwnd(), row, places.name, font_.get(), this)) {
      return false;
    }
    ShowWindow(r.icon.Hwnd(), SW_HIDE);
  }
  return true;
}

void LauncherWindow::LoadItem(int row) {
  const LauncherEntry entry = ReadLauncherEntry(row);
  if (entry.commandLine.empty()) return;  // a blank row, which can still be highlighted
  Row& r = rowWindows_[row];
  r.icon.Cls();
  bool drawn = false;
  const LaunchTarget target = ResolveLaunchTarget(entry.commandLine, SystemFileSystem());
  if (target.kind != LaunchTarget::Kind::None) {
    // The desktop's icon size at the window's DPI, as the system would show the program's icon there.
    if (const UniqueIcon icon = FirstIconOf(IconFileOf(target), SystemMetricForDpi(SM_CXICON, dpi_))) {
      // The icon in its own size at the box's top-left corner.
      drawn = Tolerate(DrawIconEx(r.icon.Dc(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL) != FALSE, "DrawIconEx");
    }
  }
  if (drawn) {
    ShowWindow(r.icon.Hwnd(), SW_SHOWNA);
    r.icon.Refresh();
  }
  r.name.SetText(entry.name);
}

void LauncherWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = UsableDpi(dpi);
  FitFrame(suggested, SWP_NOMOVE);
  UniqueFont font = MakeFont();
  for (int row = 0; row < LauncherRows::kRowCount; ++row) {
    const RowPlaces places = RowPlacesAt(row);
    rowPlaces_[row] = places.strip;
    Row& r = rowWindows_[row];
    r.icon.SetBounds(places.icon.left, places.icon.top, places.icon.right - places.icon.left,
                     places.icon.bottom - places.icon.top);
    PlaceChild(r.name.Hwnd(), PixelRect{places.name.left, places.name.top, places.name.right, places.name.bottom});
    r.name.SetFont(font.get());
    LoadItem(row);  // the icon again, at the desktop's icon size for this DPI
  }
  font_ = std::move(font);  // the labels have the new font: the old one can go
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

void LauncherWindow::RunItem(int row) {
  const LaunchTarget target = ResolveLaunchTarget(ReadCommandLineForStart(row), SystemFileSystem());
  if (target.kind == LaunchTarget::Kind::None) return;
  // A program runs, a document opens in its program, a folder in a folder window; a failure ends
  // the start quietly, as the menu always has (the log names it).
  if (!OpenWithShell(target.file, target.arguments, SW_SHOWNORMAL)) DebugLog("launcher: could not start " + target.file);
}

void LauncherWindow::ShowRowLook(int row) {
  const bool highlighted = rows_.Highlighted(row);
  const COLORREF background = highlighted ? kHighlightBackground : GetSysColor(COLOR_MENU);
  const COLORREF text = highlighted               ? kHighlightText
                        : rows_.EverHighlighted(row) ? GetSysColor(COLOR_WINDOWTEXT)
                                                     : GetSysColor(COLOR_BTNTEXT);
  rowWindows_[row].name.SetColours(background, text);
  if (Hwnd() != nullptr) InvalidateRect(Hwnd(), &rowPlaces_[row], TRUE);
}

void LauncherWindow::Paint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc == nullptr) return;
  // Row by row, so that each strip lies over the hair of the one above, as the names do.
  for (int row = 0; row < LauncherRows::kRowCount; ++row) {
    const UniqueBrush brush(CreateSolidBrush(rows_.Highlighted(row) ? kHighlightBackground : GetSysColor(COLOR_MENU)));
    if (brush) FillRect(dc, &rowPlaces_[row], brush.get());
  }
  EndPaint(Hwnd(), &ps);
}

void LauncherWindow::Follow(LauncherRows::Choice choice, int currentBefore) {
  if (rows_.Current() != currentBefore) {
    ShowRowLook(currentBefore);
    ShowRowLook(rows_.Current());
  }
  if (choice.start) RunItem(*choice.start);
  if (choice.end) End();
}

void LauncherWindow::OnKeyDown(int keyCode) {
  if (ending_) return;
  const int before = rows_.Current();
  const LauncherRows::Choice choice = rows_.KeyDown(keyCode);
  Follow(choice, before);
}

void LauncherWindow::LauncherLabel_MouseMove(int row) {
  if (ending_) return;
  const int before = rows_.Current();
  rows_.Hover(row);
  Follow({}, before);
}

void LauncherWindow::LauncherLabel_ButtonUp(int row, LauncherRows::Button button) {
  if (ending_) return;
  const int before = rows_.Current();
  const LauncherRows::Choice choice = rows_.ButtonUp(row, button);
  Follow(choice, before);
}

void LauncherWindow::OnActivate(bool active) {
  if (active) {
    wasActive_ = true;
    return;
  }
  // Gone to the background, as a menu the user clicked away from: it ends rather than staying
  // behind, forgotten, with its process. Posted: the window is in the middle of deactivation.
  if (wasActive_ && !ending_) PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

void LauncherWindow::End() {
  if (ending_) return;
  ending_ = true;
  Destroy();  // WM_DESTROY ends the message loop, and with it the process
}

LRESULT LauncherWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      break;  // the default sets the keyboard focus on activation
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      End();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

bool OpenLauncherMenu() {
  // The one window of the helper process; the object lives as long as the process.
  static LauncherWindow launcher;
  return launcher.Load();
}

}  // namespace qb
