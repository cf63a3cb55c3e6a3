#pragma once
// Move-only owners of Win32 resources. Each stores everything its release needs, so a resource
// can never be released with the wrong function or outlive its window. The owners of GDI and USER
// objects keep a live count of each kind (LiveObjects.h): what the program holds, not what it once
// made, so a count that grows over a long run is a leak.
#include <windows.h>

#include <utility>

#include "platform/LiveObjects.h"

namespace qb {

// Traits that name an ObjectKind are counted while owned.
template <class Traits>
concept CountedTraits = requires { Traits::kKind; };

template <class Traits>
class UniqueResource {
public:
  using Value = typename Traits::Value;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Value value) noexcept : value_(value) { Counted(value_, +1); }
  ~UniqueResource() { reset(); }
  UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, Traits::Empty())) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, Traits::Empty());
    }
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  [[nodiscard]] Value get() const noexcept { return value_; }
  [[nodiscard]] bool valid() const noexcept { return Traits::IsValid(value_); }
  explicit operator bool() const noexcept { return valid(); }

  // Gives up ownership, for resources handed to the system (a region passed to SetWindowRgn).
  [[nodiscard]] Value release() noexcept {
    Counted(value_, -1);
    return std::exchange(value_, Traits::Empty());
  }
  void reset(Value value = Traits::Empty()) noexcept {
    if (value == value_) return;  // taking what it already owns must not free it
    const Value old = std::exchange(value_, value);
    Counted(value_, +1);
    if (Traits::IsValid(old)) {
      Traits::Close(old);
      Counted(old, -1);
    }
  }

private:
  static void Counted(Value value, int change) noexcept {
    if constexpr (CountedTraits<Traits>) {
      if (!Traits::IsValid(value)) return;
      if (change > 0) {
        CountObjectMade(Traits::kKind);
      } else {
        CountObjectFreed(Traits::kKind);
      }
    }
  }

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

template <class H, ObjectKind Kind>
struct GdiObjectTraits {
  using Value = H;
  static constexpr ObjectKind kKind = Kind;
  static H Empty() noexcept { return nullptr; }
  static bool IsValid(H h) noexcept { return h != nullptr; }
  static void Close(H h) noexcept { DeleteObject(h); }
};
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT, ObjectKind::Font>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH, ObjectKind::Brush>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN, ObjectKind::Pen>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP, ObjectKind::Bitmap>>;
using UniqueRegion = UniqueResource<GdiObjectTraits<HRGN, ObjectKind::Region>>;

struct MenuTraits {
  using Value = HMENU;
  static constexpr ObjectKind kKind = ObjectKind::Menu;
  static HMENU Empty() noexcept { return nullptr; }
  static bool IsValid(HMENU h) noexcept { return h != nullptr; }
  static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

// For icons the program created or copied; shared icons from LoadIcon must not be destroyed.
struct IconTraits {
  using Value = HICON;
  static constexpr ObjectKind kKind = ObjectKind::Icon;
  static HICON Empty() noexcept { return nullptr; }
  static bool IsValid(HICON h) noexcept { return h != nullptr; }
  static void Close(HICON h) noexcept { DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<IconTraits>;

// A memory DC from CreateCompatibleDC.
struct MemoryDcTraits {
  using Value = HDC;
  static constexpr ObjectKind kKind = ObjectKind::MemoryDc;
  static HDC Empty() noexcept { return nullptr; }
  static bool IsValid(HDC h) noexcept { return h != nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// GetDC/ReleaseDC: the DC must go back to the window it came from.
class WindowDc {
public:
  WindowDc() noexcept = default;
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(GetDC(hwnd)) {
    if (hdc_ != nullptr) CountObjectMade(ObjectKind::WindowDc);
  }
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
    if (hdc_ != nullptr) {
      ReleaseDC(hwnd_, hdc_);
      CountObjectFreed(ObjectKind::WindowDc);
    }
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
