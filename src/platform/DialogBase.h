#pragma once
// Base of the program's dialogs (CRTP), made from dialog templates in the resource script. The
// derived class T provides
//   INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);   // TRUE: handled
// The base binds `this` to the dialog in WM_INITDIALOG, clears the binding in WM_NCDESTROY, lists
// a modeless dialog for the message loop's dialog keys while it exists, and lets no exception out
// of the dialog procedure.
#include <windows.h>

#include "platform/DebugLog.h"
#include "platform/ModelessDialogs.h"

namespace qb {

template <class T>
class DialogBase {
public:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  [[nodiscard]] HWND Hwnd() const noexcept { return hwnd_; }

  // Creates the modeless dialog from this program's template `templateName` (hidden unless the
  // template says WS_VISIBLE); false (and logged) when it cannot be made.
  [[nodiscard]] bool CreateModeless(const wchar_t* templateName, HWND owner) {
    const HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), templateName, owner, &DialogBase::StaticProc,
                                         reinterpret_cast<LPARAM>(this));
    if (!Tolerate(hwnd != nullptr, "CreateDialogParamW")) return false;
    AddModelessDialog(hwnd);
    return true;
  }

  // Destroys the dialog when it still exists; WM_DESTROY and WM_NCDESTROY reach the derived class.
  void Destroy() noexcept {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }

  INT_PTR HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

protected:
  ~DialogBase() {
    // The derived part is already gone: unbind first so that the messages of DestroyWindow go to
    // the dialog manager alone.
    if (hwnd_ != nullptr) {
      RemoveModelessDialog(hwnd_);
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      DestroyWindow(hwnd_);
    }
  }

private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    T* self = nullptr;
    if (message == WM_INITDIALOG) {
      self = static_cast<T*>(reinterpret_cast<DialogBase*>(lParam));
      if (self != nullptr) {
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      }
    } else {
      // Messages before WM_INITDIALOG (WM_SETFONT, the creation messages) find no object yet.
      self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;

    INT_PTR result = FALSE;
    try {
      result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      LogCurrentException("dialog procedure");
    }
    if (message == WM_NCDESTROY) {
      RemoveModelessDialog(hwnd);
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;
};

}  // namespace qb
