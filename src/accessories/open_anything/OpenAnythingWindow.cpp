#include "accessories/open_anything/OpenAnythingWindow.h"

#include <memory>
#include <utility>

#include "platform/CommonControls.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/ShellOpen.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

constexpr int kClientWidthTwips = 3120;
constexpr int kClientHeightTwips = 390;
constexpr int kTextBoxHeightTwips = 390;
constexpr UINT_PTR kTextBoxSubclassId = 1;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES;

// Everything opened during this run, whether or not a box is open.
OpenHistory& TheOpenHistory() {
  static OpenHistory history;
  return history;
}

}  // namespace

bool OpenAnythingWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // The system places a new window on the primary monitor: laid out for its DPI.
  dpi_ = DpiAtPoint(POINT{0, 0});
  WindowCreateParams p;
  p.exStyle = kExStyle;
  p.style = kStyle;
  p.caption = kCaption;
  RECT outer{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
  AdjustWindowRectForDpi(outer, p.style, p.exStyle, dpi_);
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  if (!CreateWindowFor(p)) return false;

  textBox_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                             TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kTextBoxHeightTwips, dpi_), Hwnd(),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(textBox_ != nullptr, "CreateWindowExW(EDIT)")) {
    Destroy();
    return false;
  }
  ApplyFont();
  SubclassWindow(textBox_, &OpenAnythingWindow::TextBoxProc, kTextBoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
  box_.emplace(TheOpenHistory());
  OnResize();
  if (const int shownAt = DpiOfWindow(Hwnd()); shownAt != dpi_) {
    // Not where the system was expected to put it: the design size at the DPI it stands at.
    OnDpiChanged(shownAt, 0);
    ApplySuggestedRectOrSize(Hwnd(), nullptr,
                             OuterSizeForDpi(SIZE{TwipsToPixels(kClientWidthTwips, shownAt),
                                                  TwipsToPixels(kClientHeightTwips, shownAt)},
                                             kStyle, kExStyle, shownAt));
  }
  return true;
}

void OpenAnythingWindow::ApplyFont() {
  // Japanese faces are asked for by name: the default GUI font has no kana on every system.
  UniqueFont font = CreatePointFont("ＭＳ Ｐゴシック", 9, dpi_, FW_NORMAL, SHIFTJIS_CHARSET, DEFAULT_PITCH);
  SetControlFont(textBox_, font.get());
  font_ = std::move(font);  // the text box has the new font: the old one can go
}

void OpenAnythingWindow::OnDpiChanged(int dpi, LPARAM suggested) {
  dpi_ = UsableDpi(dpi);
  ApplyFont();
  // The box keeps the height of its design at the new DPI; its width follows the window's.
  RECT box{};
  GetWindowRect(textBox_, &box);
  Tolerate(SetWindowPos(textBox_, nullptr, 0, 0, box.right - box.left, TwipsToPixels(kTextBoxHeightTwips, dpi_),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(open anything box)");
  ApplySuggestedRect(Hwnd(), suggested);
  OnResize();
}

void OpenAnythingWindow::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Hwnd());
  if (textBox_ != nullptr) SetFocus(textBox_);
}

void OpenAnythingWindow::OpenEntry() {
  if (!box_) return;
  const std::optional<std::string> entry = box_->Enter(WindowTextOf(textBox_));
  // What the shell says about a name it cannot open is all the user hears of it.
  if (entry) OpenWithShell(Hwnd(), *entry);
}

bool OpenAnythingWindow::OnTextBoxKeyDown(WPARAM key) {
  if (!box_) return false;
  switch (key) {
    case VK_RETURN:
      OpenEntry();
      return true;
    case VK_ESCAPE:
      // Put away like the system's own run box.
      PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
      return true;
    case VK_UP:
    case VK_DOWN:
      if (const std::optional<std::string> text = key == VK_UP ? box_->Up() : box_->Down()) {
        ShowEntry(*text);
        return true;
      }
      return false;  // nothing to recall: the box moves its caret as usual
    default:
      return false;
  }
}

void OpenAnythingWindow::ShowEntry(const std::string& text) {
  SetWindowTextW(textBox_, Widen(text).c_str());
  // The caret after the recalled text, ready to add to it or to press Enter.
  const int length = GetWindowTextLengthW(textBox_);
  SendMessageW(textBox_, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
  SetFocus(textBox_);
}

void OpenAnythingWindow::OnFilesDropped(HDROP drop) {
  const std::vector<std::string> files = DroppedFiles(drop);
  DragFinish(drop);
  for (const std::string& file : files) {
    OpenWithShell(Hwnd(), file);
    if (Hwnd() == nullptr) return;  // closed while the shell showed a message
  }
}

void OpenAnythingWindow::OnResize() {
  if (textBox_ == nullptr) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  RECT box{};
  GetWindowRect(textBox_, &box);
  // The box spans the window's inside; its height stays.
  MoveWindow(textBox_, 0, 0, client.right, box.bottom - box.top, TRUE);
}

LRESULT CALLBACK OpenAnythingWindow::TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR selfData) noexcept {
  auto* self = reinterpret_cast<OpenAnythingWindow*>(selfData);
  try {
    switch (message) {
      case WM_KEYDOWN:
        if (self->OnTextBoxKeyDown(wParam)) return 0;
        break;
      case WM_CHAR:
        // Enter (and Ctrl+Enter) and Escape did their work on the key press; a one-line box only
        // beeps at them.
        if (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B) return 0;
        break;
      case WM_NCDESTROY:
        RemoveSubclass(hwnd, &OpenAnythingWindow::TextBoxProc, kTextBoxSubclassId);
        self->textBox_ = nullptr;
        break;
      default:
        break;
    }
  } catch (...) {
    LogCurrentException("open anything text box");
  }
  return DefaultSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT OpenAnythingWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnResize();
      return 0;
    case WM_SETFOCUS:
      if (textBox_ != nullptr) SetFocus(textBox_);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfDpiChange(wParam), lParam);
      return 0;
    case WM_DROPFILES:
      OnFilesDropped(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      box_.reset();
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void ShowOpenAnything() {
  // One box for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<OpenAnythingWindow> window;
  if (!window) window = std::make_unique<OpenAnythingWindow>();
  if (!window->Load()) return;
  window->Show();
}

}  // namespace qb
