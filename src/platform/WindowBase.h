#pragma once
// Base of every window of the program (CRTP). The derived class T provides
//   static const wchar_t* ClassName();
//   LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);   // optional
//   static void ConfigureClass(WNDCLASSEXW& wc);                          // optional
// The base registers the class on first use, binds `this` to the window in WM_NCCREATE, clears
// the binding in WM_NCDESTROY, and lets no exception out of the window procedure.
#include <windows.h>

#include "platform/DebugLog.h"

namespace qb {

struct WindowCreateParams {
  DWORD exStyle = 0;
  DWORD style = WS_OVERLAPPEDWINDOW;
  const wchar_t* caption = L"";
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HMENU menu = nullptr;
};

template <class T>
class WindowBase {
public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  [[nodiscard]] HWND Hwnd() const noexcept { return hwnd_; }

  // Creates the window; false (and logged) when the class or the window cannot be made.
  [[nodiscard]] bool CreateWindowFor(const WindowCreateParams& p) {
    if (!RegisterWindowClass()) return false;
    const HWND hwnd = CreateWindowExW(p.exStyle, T::ClassName(), p.caption, p.style, p.x, p.y, p.width, p.height,
                                      p.parent, p.menu, GetModuleHandleW(nullptr), this);
    return Tolerate(hwnd != nullptr, "CreateWindowExW");
  }

  // Destroys the window when it still exists. WM_DESTROY and WM_NCDESTROY reach the derived
  // class, which is still whole here, unlike in the destructor.
  void Destroy() noexcept {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
  static void ConfigureClass(WNDCLASSEXW&) {}

protected:
  ~WindowBase() {
    // The derived part is already gone: unbind first so that the messages of DestroyWindow go to
    // DefWindowProcW instead of a destroyed object.
    if (hwnd_ != nullptr) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
  }

  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

private:
  static bool RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, T::ClassName(), &wc)) return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowBase::StaticProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = T::ClassName();
    T::ConfigureClass(wc);
    return Tolerate(RegisterClassExW(&wc) != 0, "RegisterClassExW");
  }

  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    T* self = nullptr;
    if (message == WM_NCCREATE) {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = static_cast<T*>(static_cast<WindowBase*>(cs->lpCreateParams));
      if (self != nullptr) {
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      }
    } else {
      self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
      result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      LogCurrentException("window procedure");
      // A window that failed to set itself up must not be created half-way.
      result = message == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;
};

}  // namespace qb
