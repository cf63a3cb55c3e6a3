#include "memo/MemoWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/Numbers.h"
#include "platform/CommonControls.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"
#include "settings_dialog/ColourPicker.h"
#include "settings_dialog/FontPicker.h"

namespace qb {

namespace {

constexpr UINT_PTR kTextBoxSubclassId = 1;
constexpr UINT_PTR kSaveTimerId = 1;
// Typing stored about a second after it stops: a crash loses at most that much.
constexpr UINT kSaveDelayMs = 1000;
constexpr UINT kMenuFont = 1;
constexpr UINT kMenuTextColour = 2;
constexpr UINT kMenuBackColour = 3;
constexpr UINT kMenuClose = 4;

// The colour the colour commands start from: the system's button face.
Colour StartingColour() { return static_cast<Colour>(GetSysColor(COLOR_BTNFACE)); }

}  // namespace

void MemoWindow::ConfigureClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = nullptr;  // the text box covers the whole inner area
  wc.style |= CS_DBLCLKS;
}

MemoWindow::MemoWindow(OpenWorkRegistry* openWork, std::function<void(int n, HWND window)> onClosed)
    : openWork_(openWork), onClosed_(std::move(onClosed)) {}

bool MemoWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // Made in the top-left corner of the primary monitor, at its DPI; a stored memo then goes to its
  // place (SetText), a new one is cascaded on that monitor.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  // A tool window: a note on the desktop, not a task of the taskbar.
  p.exStyle = WS_EX_TOOLWINDOW;
  p.style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
  RECT outer{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
  AdjustWindowRectForDpi(outer, p.style, p.exStyle, dpi_);
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  p.x = 0;
  p.y = 0;
  p.caption = L"";
  if (!CreateWindowFor(p)) return false;

  // Long lines wrap; the text scrolls with the caret but shows no scroll bar.
  textBox_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
                             0, 0, 0, Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(textBox_ != nullptr, "CreateWindowExW(EDIT)")) {
    Destroy();
    return false;
  }
  // No limit: the default one (about 32 000 characters) would cut a long memo when it loads.
  SendMessageW(textBox_, EM_SETLIMITTEXT, 0, 0);
  SubclassWindow(textBox_, &MemoWindow::TextBoxProc, kTextBoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (const std::optional<uint8_t> opacity = ReadMemoOpacity()) SetWindowAlpha(Hwnd(), *opacity);
  OnResize();
  if (openWork_ != nullptr) saveTicket_ = openWork_->Register([this] { SaveText(); });
  return true;
}

void MemoWindow::SetText(std::string_view boxText, const MemoPlaceTwips& place) {
  if (Hwnd() == nullptr) return;
  // The place is one of the whole desktop, at its one scale; the size is that of the monitor the
  // memo then stands on (the move there tells the memo its DPI when it differs).
  const int desktopDpi = SystemDpi();
  Tolerate(SetWindowPos(Hwnd(), nullptr, TwipsToPixels(place.left, desktopDpi), TwipsToPixels(place.top, desktopDpi), 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(memo place)");
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) OnDpiChanged(shownAt, 0);
  Tolerate(SetWindowPos(Hwnd(), nullptr, 0, 0, std::max(1, TwipsToPixels(place.width, dpi_)),
                        std::max(1, TwipsToPixels(place.height, dpi_)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(memo size)");
  if (BringOntoScreen(Hwnd())) keptPlace_ = place;
  if (!boxText.empty()) SetWindowTextW(textBox_, Widen(boxText).c_str());
}

void MemoWindow::SetMemoNo(int n) {
  memoNumber_ = n;
  style_ = ReadMemoStyle(n);
  backBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(style_.back)));
  ApplyFont();
  InvalidateRect(textBox_, nullptr, TRUE);
}

void MemoWindow::ApplyFont() {
  // Points stay points: the same size in inches on a monitor of any DPI.
  UniqueFont font(CreateFontW(FontHeightForPoints(style_.points, dpi_), 0, 0, 0, style_.bold ? FW_BOLD : FW_NORMAL,
                              style_.italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH, Widen(style_.face).c_str()));
  if (!Tolerate(font.valid(), "CreateFontW(memo)")) return;
  SendMessageW(textBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the text box has the new one: the old one can go
}

void MemoWindow::OnDpiChanged(int dpi, LPARAM suggested) {
  dpi_ = dpi;
  ApplyFont();
  // The text box and the rim follow in WM_SIZE.
  ApplySuggestedRect(Hwnd(), suggested);
}

MemoPlaceTwips MemoWindow::PlaceInTwips(const RECT& r) const {
  const int desktopDpi = SystemDpi();
  auto twips = [](double value) { return static_cast<int32_t>(std::lround(value)); };
  return MemoPlaceTwips{twips(PixelsToTwips(r.top, desktopDpi)), twips(PixelsToTwips(r.left, desktopDpi)),
                        twips(PixelsToTwips(r.right - r.left, dpi_)), twips(PixelsToTwips(r.bottom - r.top, dpi_))};
}

std::string MemoWindow::Text() const { return WindowTextOf(textBox_); }

void MemoWindow::SaveText() {
  if (Hwnd() == nullptr || textBox_ == nullptr || memoNumber_ < 0) return;
  KillTimer(Hwnd(), kSaveTimerId);
  RECT r{};
  if (!Tolerate(GetWindowRect(Hwnd(), &r) != FALSE, "GetWindowRect(memo)")) return;
  // The place at the desktop's one scale, the size at the DPI of the memo's monitor: both the
  // same in inches wherever the file is opened again.
  const int desktopDpi = SystemDpi();
  double top = PixelsToTwips(r.top, desktopDpi);
  double left = PixelsToTwips(r.left, desktopDpi);
  if (keptPlace_) {
    top = keptPlace_->top;
    left = keptPlace_->left;
  }
  WriteMemoRecord(memoNumber_, Text(), top, left, PixelsToTwips(r.right - r.left, dpi_),
                  PixelsToTwips(r.bottom - r.top, dpi_));
}

void MemoWindow::Bottom() {
  Tolerate(SetWindowPos(Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOACTIVATE) != 0,
           "SetWindowPos(HWND_BOTTOM)");
}

void MemoWindow::OnResize() {
  if (textBox_ == nullptr) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  MoveWindow(textBox_, 0, 0, client.right, client.bottom, TRUE);
  ApplyRegion();
}

void MemoWindow::ApplyRegion() { ApplyMemoRegion(Hwnd()); }

void ApplyMemoRegion(HWND memo) {
  RECT window{};
  RECT client{};
  POINT origin{0, 0};
  if (!GetWindowRect(memo, &window) || !GetClientRect(memo, &client) || !ClientToScreen(memo, &origin)) return;
  const PixelRect shape =
      MemoRegion({origin.x - window.left, origin.y - window.top}, client.right - client.left, client.bottom - client.top);
  UniqueRegion region(CreateRectRgn(shape.left, shape.top, shape.right, shape.bottom));
  if (!Tolerate(region.valid(), "CreateRectRgn(memo)")) return;
  // On success the system owns the region.
  if (Tolerate(SetWindowRgn(memo, region.get(), TRUE) != 0, "SetWindowRgn(memo)")) static_cast<void>(region.release());
}

void MemoWindow::ShowMenu() {
  UniqueMenu menu(CreatePopupMenu());
  if (!Tolerate(menu.valid(), "CreatePopupMenu")) return;
  AppendMenuW(menu.get(), MF_STRING, kMenuFont, Widen(kFontCommand).c_str());
  AppendMenuW(menu.get(), MF_STRING, kMenuTextColour, Widen(kTextColourCommand).c_str());
  AppendMenuW(menu.get(), MF_STRING, kMenuBackColour, Widen(kBackColourCommand).c_str());
  AppendMenuW(menu.get(), MF_STRING, kMenuClose, Widen(kCloseCommand).c_str());
  POINT at{};
  GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only while its owner is in front.
  SetForegroundWindow(Hwnd());
  const UINT command =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr);
  PostMessageW(Hwnd(), WM_NULL, 0, 0);
  switch (command) {
    case kMenuFont: OnFontCommand(); break;
    case kMenuTextColour: OnTextColourCommand(); break;
    case kMenuBackColour: OnBackColourCommand(); break;
    case kMenuClose: OnCloseCommand(); break;
    default: break;
  }
}

void MemoWindow::OnFontCommand() {
  if (memoNumber_ < 0) return;
  FontChoice font;
  font.name = style_.face;
  font.size = static_cast<int32_t>(RoundHalfEven(style_.points));
  font.bold = style_.bold;
  font.italic = style_.italic;
  font.colour = style_.text;
  // Confirmed or cancelled, the values the dialog leaves are applied and stored.
  ShowFontDialog(Hwnd(), font);
  style_.face = font.name;
  style_.points = font.size;
  style_.bold = font.bold;
  style_.italic = font.italic;
  ApplyFont();
  WriteMemoFont(memoNumber_, style_.face, font.size, style_.italic, style_.bold);
}

void MemoWindow::OnTextColourCommand() {
  if (memoNumber_ < 0) return;
  const Colour chosen = ShowColorDialog(Hwnd(), StartingColour());
  if (chosen == -1) return;
  WriteMemoTextColour(memoNumber_, chosen);
  style_.text = chosen;
  InvalidateRect(textBox_, nullptr, TRUE);
}

void MemoWindow::OnBackColourCommand() {
  if (memoNumber_ < 0) return;
  const Colour chosen = ShowColorDialog(Hwnd(), StartingColour());
  if (chosen == -1) return;
  WriteMemoBackColour(memoNumber_, chosen);
  style_.back = chosen;
  backBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(chosen)));
  InvalidateRect(textBox_, nullptr, TRUE);
}

void MemoWindow::OnCloseCommand() {
  SetWindowTextW(textBox_, L"");
  SaveText();
  closing_ = true;
  // Posted: the text box is in the middle of its own message (the menu came from its double-click).
  PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

LRESULT CALLBACK MemoWindow::TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR selfData) noexcept {
  auto* self = reinterpret_cast<MemoWindow*>(selfData);
  try {
    switch (message) {
      case WM_LBUTTONDOWN: {
        // The box places the caret and takes the focus first; then the memo is dragged.
        const LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
        DragWindowByItsBody(self->Hwnd());
        return result;
      }
      case WM_LBUTTONDBLCLK:
        self->ShowMenu();
        return 0;
      case WM_KILLFOCUS: {
        const LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
        self->SaveText();
        return result;
      }
      case WM_NCDESTROY:
        RemoveSubclass(hwnd, &MemoWindow::TextBoxProc, kTextBoxSubclassId);
        self->textBox_ = nullptr;
        break;
      default:
        break;
    }
  } catch (...) {
    LogCurrentException("memo text box");
  }
  return DefaultSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT MemoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnResize();
      return 0;
    case WM_ENTERSIZEMOVE:
      GetWindowRect(Hwnd(), &sizeMoveStart_);
      return 0;
    case WM_EXITSIZEMOVE: {
      // Moved or resized by the user: the place shown is now the memo's own, and stored at once.
      RECT now{};
      if (GetWindowRect(Hwnd(), &now) && !EqualRect(&now, &sizeMoveStart_)) {
        keptPlace_.reset();
        SaveText();
      }
      return 0;
    }
    case WM_SETFOCUS:
      if (textBox_ != nullptr) SetFocus(textBox_);
      return 0;
    case WM_DISPLAYCHANGE: {
      // A monitor went away with the memo on it: the memo comes to the nearest work area, and its
      // stored place stays where it was until the user moves it.
      RECT before{};
      GetWindowRect(Hwnd(), &before);
      const MemoPlaceTwips stood = PlaceInTwips(before);
      if (BringOntoScreen(Hwnd()) && !keptPlace_) keptPlace_ = stood;
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), lParam);
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == textBox_ && HIWORD(wParam) == EN_CHANGE) {
        SetTimer(Hwnd(), kSaveTimerId, kSaveDelayMs, nullptr);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kSaveTimerId) {
        SaveText();
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == textBox_) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, static_cast<COLORREF>(style_.text));
        SetBkColor(dc, static_cast<COLORREF>(style_.back));
        return reinterpret_cast<LRESULT>(backBrush_.valid() ? backBrush_.get() : GetStockObject(WHITE_BRUSH));
      }
      break;
    case WM_CLOSE:
      // Any close but "閉じる" (Alt+F4, a close request from outside, the memos being loaded
      // again) stores what the memo holds, so that it comes back as it was.
      if (!closing_) SaveText();
      Destroy();
      return 0;
    case WM_DESTROY:
      KillTimer(Hwnd(), kSaveTimerId);
      if (openWork_ != nullptr && saveTicket_ != 0) openWork_->Unregister(saveTicket_);
      saveTicket_ = 0;
      if (onClosed_) onClosed_(memoNumber_, Hwnd());
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace qb
