#include "calendar/Form6.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "calendar/DayNotes.h"
#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// The design size of the editor's inner area, in twips.
constexpr int kClientWidthTwips = 4680;
constexpr int kClientHeightTwips = 3195;
constexpr UINT_PTR kText1SubclassId = 1;
// Closing is posted: the text box must not be destroyed inside its own message handler.
constexpr UINT kUnloadMessage = WM_APP + 1;

int ScreenDpi(int index) {
  WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), index) : 0;
  return dpi > 0 ? dpi : 96;
}

// The drag used by every borderless window: the system moves the window as if its title bar had
// been grabbed.
void DragWindow(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  ReleaseCapture();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

}  // namespace

bool Form6::Form_Load() {
  if (Hwnd() != nullptr) return true;
  const int width = MulDiv(kClientWidthTwips, ScreenDpi(LOGPIXELSX), 1440);
  const int height = MulDiv(kClientHeightTwips, ScreenDpi(LOGPIXELSY), 1440);
  WindowCreateParams p;
  p.style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
  RECT outer{0, 0, width, height};
  Tolerate(AdjustWindowRectEx(&outer, p.style, FALSE, p.exStyle) != 0, "AdjustWindowRectEx");
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  // In the middle of the work area, where it covers neither a calendar nor memos in the corners.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Tolerate(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) != 0, "SystemParametersInfoW(SPI_GETWORKAREA)");
  p.x = work.left + std::max(0L, (work.right - work.left - p.width) / 2);
  p.y = work.top + std::max(0L, (work.bottom - work.top - p.height) / 2);
  p.caption = L"";
  if (!CreateWindowFor(p)) return false;

  text1_ = CreateWindowExW(0, L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                           width, height, Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(text1_ != nullptr, "CreateWindowExW(EDIT)")) {
    Destroy();
    return false;
  }
  // The default limit (about 32 000 characters) would cut a long note on loading and lose its
  // tail on the next save.
  SendMessageW(text1_, EM_SETLIMITTEXT, 0, 0);
  font_.reset(CreateFontW(-MulDiv(kFontPoints, ScreenDpi(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          FIXED_PITCH | FF_MODERN, Widen(kFontFace).c_str()));
  if (Tolerate(font_.valid(), "CreateFontW")) SendMessageW(text1_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  Tolerate(SetWindowSubclass(text1_, &Form6::Text1Proc, kText1SubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE,
           "SetWindowSubclass");
  Form_Resize();
  return true;
}

void Form6::setName(std::string title) {
  logic_.setName(std::move(title));
  if (Hwnd() != nullptr) SetWindowTextW(Hwnd(), Widen(logic_.Title()).c_str());
}

void Form6::SetText(std::string_view boxText) {
  if (text1_ != nullptr) Tolerate(SetWindowTextW(text1_, Widen(boxText).c_str()) != 0, "SetWindowTextW(Text1)");
}

std::string Form6::Text() const {
  if (text1_ == nullptr) return {};
  const int length = GetWindowTextLengthW(text1_);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(text1_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return Narrow(text);
}

void Form6::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  if (text1_ != nullptr) SetFocus(text1_);
}

void Form6::Form_Resize() {
  if (text1_ == nullptr) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  MoveWindow(text1_, 0, 0, client.right, client.bottom, TRUE);
}

void Form6::Text1_DblClick() {
  if (const std::optional<std::string> note = DayNoteEditor::NoteToSave(Text())) {
    WriteDayNote(logic_.Title(), *note);
  }
  PostMessageW(Hwnd(), kUnloadMessage, 0, 0);
}

void Form6::Text1_KeyUp(WPARAM keyCode) {
  if (keyCode == VK_ESCAPE) PostMessageW(Hwnd(), kUnloadMessage, 0, 0);
}

void Form6::Text1_MouseDown() { DragWindow(Hwnd()); }

LRESULT CALLBACK Form6::Text1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR selfData) noexcept {
  auto* self = reinterpret_cast<Form6*>(selfData);
  try {
    switch (message) {
      case WM_LBUTTONDOWN: {
        // The box places the caret and takes the focus first; then the window is dragged.
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        self->Text1_MouseDown();
        return result;
      }
      case WM_LBUTTONDBLCLK:
        self->Text1_DblClick();
        return 0;
      case WM_KEYUP: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        self->Text1_KeyUp(wParam);
        return result;
      }
      case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &Form6::Text1Proc, kText1SubclassId);
        self->text1_ = nullptr;
        break;
      default:
        break;
    }
  } catch (...) {
    LogCurrentException("Form6 text box");
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT Form6::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Form_Resize();
      return 0;
    case WM_SETFOCUS:
      if (text1_ != nullptr) SetFocus(text1_);
      return 0;
    case kUnloadMessage:
    case WM_CLOSE:
      Unload();
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

Form6* ShowDayNoteEditor(std::string_view title, std::string_view noteText) {
  // One editor for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<Form6> editor;
  if (!editor) editor = std::make_unique<Form6>();
  if (!editor->Form_Load()) return nullptr;
  editor->setName(std::string(title));
  editor->SetText(DayNoteEditor::BoxTextFor(noteText, title));
  editor->Show();
  return editor.get();
}

}  // namespace qb
