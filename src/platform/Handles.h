#pragma once
// Move-only owners of Win32 resources. Each stores everything its release needs, so a resource
// can never be released with the wrong function or outlive its window.
#include <windows.h>

#include <utility>

namespace qb {

template <class Traits>
class UniqueResource {
public:
  using Value = typename Traits::Value;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Value value) noexcept : value_(value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  [[nodiscard]] Value get() const noexcept { return value_; }
  [[nodiscard]] bool valid() const noexcept { return Traits::IsValid(value_); }
  explicit operator bool() const noexcept { return valid(); }

  // Gives up ownership, for resources handed to the system (a region passed to SetWindowRgn).
  [[nodiscard]] Value release() noexcept { return std::exchange(value_, Traits::Empty()); }
  void reset(Value value = Traits::Empty()) noexcept {
    const Value old = std::exchange(value_, value);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

private:
  Value value_ = Traits::Empty();
};

// Kernel handles: some functions fail with NULL, others with INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
  using Value = HANDLE;
  static HANDLE Empty() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

struct WindowTraits {
  using Value = HWND;
  static HWND Empty() noexcept { return nullptr; }
  static bool IsValid(HWND h) noexcept { return h != nullptr; }
  static void Close(HWND h) noexcept { DestroyWindow(h); }
};
using UniqueWindow = UniqueResource<WindowTraits>;

template <class H>
struct GdiObjectTraits {
  using Value = H;
  static H Empty() noexcept { return nullptr; }
  static bool IsValid(H h) noexcept { return h != nullptr; }
  static void Close(H h) noexcept { DeleteObject(h); }
};
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueResource<GdiObjectTraits<HRGN>>;

struct MenuTraits {
  using Value = HMENU;
  static HMENU Empty() noexcept { return nullptr; }
  static bool IsValid(HMENU h) noexcept { return h != nullptr; }
  static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

// For icons the program created or copied; shared icons from LoadIcon must not be destroyed.
struct IconTraits {
  using Value = HICON;
  static HICON Empty() noexcept { return nullptr; }
  static bool IsValid(HICON h) noexcept { return h != nullptr; }
  static void Close(HICON h) noexcept { DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<IconTraits>;

// A memory DC from CreateCompatibleDC.
struct MemoryDcTraits {
  using Value = HDC;
  static HDC Empty() noexcept { return nullptr; }
  static bool IsValid(HDC h) noexcept { return h != nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// GetDC/ReleaseDC: the DC must go back to the window it came from.
class WindowDc {
public:
  WindowDc() noexcept = default;
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
  ~WindowDc() { reset(); }
  WindowDc(WindowDc&& other) noexcept
      : hwnd_(std::exchange(other.hwnd_, nullptr)), hdc_(std::exchange(other.hdc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      reset();
      hwnd_ = std::exchange(other.hwnd_, nullptr);
      hdc_ = std::exchange(other.hdc_, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  [[nodiscard]] HDC get() const noexcept { return hdc_; }
  [[nodiscard]] HWND window() const noexcept { return hwnd_; }
  explicit operator bool() const noexcept { return hdc_ != nullptr; }
  void reset() noexcept {
    if (hdc_ != nullptr) ReleaseDC(hwnd_, hdc_);
    hdc_ = nullptr;
    hwnd_ = nullptr;
  }

private:
  HWND hwnd_ = nullptr;
  HDC hdc_ = nullptr;
};

// Selects an object into a DC for the guard's lifetime and puts the previous one back, so that
// the object can be deleted afterwards (a selected object cannot be).
class SelectGuard {
public:
  SelectGuard(HDC hdc, HGDIOBJ object) noexcept : hdc_(hdc), old_(SelectObject(hdc, object)) {}
  ~SelectGuard() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(hdc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  [[nodiscard]] bool selected() const noexcept { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
  HDC hdc_;
  HGDIOBJ old_;
};

}  // namespace qb
