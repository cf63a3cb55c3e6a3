#include "platform/DialogKeys.h"

#include "platform/ModelessDialogs.h"

namespace qb {

namespace {

bool IsPushButton(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// What the dialog manager shows of the keyboard: focus rectangles and mnemonic underlines.
void ShowKeyboardCues(HWND window) {
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

}  // namespace

void DialogKeys::Attach(HWND window, OnEscape escape, HWND first) {
  window_ = window;
  escape_ = escape;
  lastFocus_ = first;
  // Cues hidden or shown as the last input asks (shown when the window came from the keyboard).
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  AddModelessDialog(window);
}

void DialogKeys::MoveFocus(HWND to) {
  if (to == nullptr || !IsChild(window_, to)) return;
  SetFocus(to);
  lastFocus_ = to;
  // A text box reached by Tab has its whole text selected, ready to be copied or replaced.
  if ((SendMessageW(to, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) SendMessageW(to, EM_SETSEL, 0, -1);
  ShowKeyboardCues(window_);
}

void DialogKeys::PressFocusedButton() {
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus) && IsPushButton(focus)) SendMessageW(focus, BM_CLICK, 0, 0);
}

bool DialogKeys::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (window_ == nullptr) return false;
  switch (message) {
    case WM_NEXTDLGCTL: {
      // Tab and Shift+Tab from IsDialogMessage; a window handle when LOWORD(lParam) says so.
      if (LOWORD(lParam) != 0) {
        MoveFocus(reinterpret_cast<HWND>(wParam));
      } else {
        const HWND focus = GetFocus();
        const HWND from = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        MoveFocus(GetNextDlgTabItem(window_, from, wParam != 0));
      }
      return true;
    }
    case WM_COMMAND:
      // Enter and Escape come as IDOK and IDCANCEL; no control of the window has these ids.
      if (HIWORD(wParam) != BN_CLICKED) return false;
      if (LOWORD(wParam) == IDOK) {
        PressFocusedButton();
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        if (escape_ == OnEscape::Close) PostMessageW(window_, WM_CLOSE, 0, 0);
        return true;
      }
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
      }
      return false;
    case WM_SETFOCUS: {
      // Activated again: the focus goes on to the control that had it, else the first one.
      HWND to = lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE);
      if (to == nullptr || !IsChild(window_, to)) return false;
      SetFocus(to);
      return true;
    }
    case WM_DESTROY:
      RemoveModelessDialog(window_);
      window_ = nullptr;
      lastFocus_ = nullptr;
      return false;
    default:
      return false;
  }
}

}  // namespace qb
