#include "calendar/DayNoteEditorWindow.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "calendar/DayNotes.h"
#include "common/AppIdentity.h"
#include "platform/CommonControls.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/WinText.h"
#include "platform/WindowHelpers.h"

namespace qb {

namespace {

// The design size of the editor's inner area, in twips.
constexpr int kClientWidthTwips = 4680;
constexpr int kClientHeightTwips = 3195;
constexpr UINT_PTR kTextBoxSubclassId = 1;
// Closing is posted: the text box must not be destroyed inside its own message handler.
constexpr UINT kUnloadMessage = WM_APP + 1;

}  // namespace

bool DayNoteEditorWindow::Load() {
  if (Hwnd() != nullptr) return true;
  // In the middle of the work area, where it covers neither a calendar nor memos in the corners,
  // at the DPI of that monitor.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Tolerate(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) != 0, "SystemParametersInfoW(SPI_GETWORKAREA)");
  dpi_ = DpiAtRect(work);
  const int width = TwipsToPixels(kClientWidthTwips, dpi_);
  const int height = TwipsToPixels(kClientHeightTwips, dpi_);
  WindowCreateParams p;
  p.style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
  RECT outer{0, 0, width, height};
  AdjustWindowRectForDpi(outer, p.style, p.exStyle, dpi_);
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  p.x = work.left + std::max(0L, (work.right - work.left - p.width) / 2);
  p.y = work.top + std::max(0L, (work.bottom - work.top - p.height) / 2);
  p.caption = L"";
  if (!CreateWindowFor(p)) return false;

  textBox_ = CreateWindowExW(0, L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                           width, height, Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Tolerate(textBox_ != nullptr, "CreateWindowExW(EDIT)")) {
    Destroy();
    return false;
  }
  // The default limit (about 32 000 characters) would cut a long note on loading and lose its
  // tail on the next save.
  SendMessageW(textBox_, EM_SETLIMITTEXT, 0, 0);
  ApplyFont();
  SubclassWindow(textBox_, &DayNoteEditorWindow::TextBoxProc, kTextBoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
  OnResize();
  return true;
}

void DayNoteEditorWindow::ApplyFont() {
  UniqueFont font(CreateFontW(FontHeightForPoints(kFontPoints, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              FIXED_PITCH | FF_MODERN, Widen(kFontFace).c_str()));
  if (!Tolerate(font.valid(), "CreateFontW")) return;
  SendMessageW(textBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the text box has the new one: the old one can go
}

void DayNoteEditorWindow::OnDpiChanged(int dpi, LPARAM suggested) {
  dpi_ = dpi;
  ApplyFont();
  ApplySuggestedRect(Hwnd(), suggested);  // the text box follows in WM_SIZE
}

void DayNoteEditorWindow::SetTitle(std::string title) {
  logic_.SetTitle(std::move(title));
  if (Hwnd() != nullptr) SetWindowTextW(Hwnd(), Widen(logic_.Title()).c_str());
}

void DayNoteEditorWindow::SetText(std::string_view boxText) {
  if (textBox_ != nullptr) Tolerate(SetWindowTextW(textBox_, Widen(boxText).c_str()) != 0, "SetWindowTextW(note text box)");
}

std::string DayNoteEditorWindow::Text() const { return WindowTextOf(textBox_); }

void DayNoteEditorWindow::Show() {
  if (Hwnd() == nullptr) return;
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  if (textBox_ != nullptr) SetFocus(textBox_);
}

void DayNoteEditorWindow::OnResize() {
  if (textBox_ == nullptr) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  MoveWindow(textBox_, 0, 0, client.right, client.bottom, TRUE);
}

void DayNoteEditorWindow::OnTextDoubleClick() {
  if (const std::optional<std::string> note = DayNoteEditor::NoteToSave(Text())) {
    if (!SaveDayNote(logic_.Title(), *note)) {
      // The text stays in the editor, so the user can try again or copy it elsewhere.
      ShowMessageBox(Hwnd(), kSaveFailedMessage, kAppTitle, MB_OK | MB_ICONWARNING);
      return;
    }
  }
  PostMessageW(Hwnd(), kUnloadMessage, 0, 0);
}

void DayNoteEditorWindow::OnTextKeyUp(WPARAM keyCode) {
  if (keyCode == VK_ESCAPE) PostMessageW(Hwnd(), kUnloadMessage, 0, 0);
}

void DayNoteEditorWindow::OnTextMouseDown() { DragWindowByItsBody(Hwnd()); }

LRESULT CALLBACK DayNoteEditorWindow::TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR selfData) noexcept {
  auto* self = reinterpret_cast<DayNoteEditorWindow*>(selfData);
  try {
    switch (message) {
      case WM_LBUTTONDOWN: {
        // The box places the caret and takes the focus first; then the window is dragged.
        const LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
        self->OnTextMouseDown();
        return result;
      }
      case WM_LBUTTONDBLCLK:
        self->OnTextDoubleClick();
        return 0;
      case WM_KEYUP: {
        const LRESULT result = DefaultSubclassProc(hwnd, message, wParam, lParam);
        self->OnTextKeyUp(wParam);
        return result;
      }
      case WM_NCDESTROY:
        RemoveSubclass(hwnd, &DayNoteEditorWindow::TextBoxProc, kTextBoxSubclassId);
        self->textBox_ = nullptr;
        break;
      default:
        break;
    }
  } catch (...) {
    LogCurrentException("note editor text box");
  }
  return DefaultSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT DayNoteEditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case kUnloadMessage:
    case WM_CLOSE:
      Unload();
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

DayNoteEditorWindow* ShowDayNoteEditor(std::string_view title, std::string_view noteText) {
  // One editor for the whole program; its window comes and goes, the object stays.
  static std::unique_ptr<DayNoteEditorWindow> editor;
  if (!editor) editor = std::make_unique<DayNoteEditorWindow>();
  if (!editor->Load()) return nullptr;
  editor->SetTitle(std::string(title));
  editor->SetText(DayNoteEditor::BoxTextFor(noteText, title));
  editor->Show();
  return editor.get();
}

}  // namespace qb
