#pragma once
// The dialog keys for a window of the program that holds controls but is not made from a dialog
// template: Tab and Shift+Tab move the focus along its controls with WS_TABSTOP, the arrows within
// a group, Enter and Space press the focused button, Alt+letter reaches a mnemonic, Escape does
// what the window decides. The window is listed for the message loop's IsDialogMessage, and the
// requests the dialog manager sends back, which only a dialog's own procedure would answer, are
// answered here. The focus comes back to the control that had it when the window is activated
// again, and focus rectangles show once the user has used the keyboard in the window.
#include <windows.h>

namespace qb {

class DialogKeys {
public:
  enum class OnEscape { Close, Nothing };

  // Once the window's controls exist. The controls' ids must not be IDOK or IDCANCEL, which the
  // dialog manager sends for Enter and Escape. `first` gets the focus when the window is first
  // activated (the first control in the tab order when null).
  void Attach(HWND window, OnEscape escape, HWND first = nullptr);
  // Called first by the window's procedure; true when the message was answered here.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void MoveFocus(HWND to);
  void PressFocusedButton();

  HWND window_ = nullptr;
  HWND lastFocus_ = nullptr;
  OnEscape escape_ = OnEscape::Close;
};

}  // namespace qb
