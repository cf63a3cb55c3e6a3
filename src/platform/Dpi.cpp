#include "platform/Dpi.h"

#include <utility>

#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/SystemLibrary.h"
#include "platform/WinText.h"

namespace qb {

namespace {

// Functions newer than the oldest system the program runs on, looked up once. A missing one means
// an older system: the caller falls back on what that system has.
template <class F>
F User32Function(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetThreadDpiAwarenessContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetWindowDpiAwarenessContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using GetAwarenessFromDpiAwarenessContextFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
// shcore.dll, Windows 8.1: GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y).
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

int ScreenDcDpi() {
  WindowDc screen(nullptr);
  return UsableDpi(screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0);
}

}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  return getDpiForSystem != nullptr ? UsableDpi(static_cast<int>(getDpiForSystem())) : ScreenDcDpi();
}

int DpiOfMonitor(HMONITOR monitor) {
  // Windows 8.1 and later; on older systems the library is missing and every monitor has the
  // system's DPI.
  static const auto getDpiForMonitor = SystemFunctionAs<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  if (monitor != nullptr && getDpiForMonitor != nullptr) {
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) return UsableDpi(static_cast<int>(x));
  }
  return SystemDpi();
}

int DpiOfWindow(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  static const auto contextOf = User32Function<GetWindowDpiAwarenessContextFn>("GetWindowDpiAwarenessContext");
  static const auto awarenessOf = User32Function<GetAwarenessFromDpiAwarenessContextFn>("GetAwarenessFromDpiAwarenessContext");
  const HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr;
  DWORD process = 0;
  if (window != nullptr && GetWindowThreadProcessId(window, &process) != 0 && process != GetCurrentProcessId() &&
      contextOf != nullptr && awarenessOf != nullptr) {
    // Another program's window works at the DPI its awareness gives it (what GetDpiForWindow
    // answers on Windows; Wine answers 96 for every window of another process).
    switch (awarenessOf(contextOf(window))) {
      case DPI_AWARENESS_UNAWARE: return kDesignDpi;  // the system scales it: it works at 96
      case DPI_AWARENESS_SYSTEM_AWARE: return SystemDpi();
      case DPI_AWARENESS_PER_MONITOR_AWARE: return DpiOfMonitor(monitor);
      default: break;
    }
  }
  if (window != nullptr && getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return UsableDpi(static_cast<int>(dpi));
  }
  return DpiOfMonitor(monitor);
}

int DpiAtPoint(POINT point) { return DpiOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

int DpiAtRect(const RECT& rect) { return DpiOfMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST)); }

int SystemMetricForDpi(int index, int dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(UsableDpi(dpi)));
  // Older systems have one DPI: their metrics are those of the system DPI.
  return MulDiv(GetSystemMetrics(index), UsableDpi(dpi), SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto forDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (forDpi != nullptr) {
    Tolerate(forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(UsableDpi(dpi))) != FALSE, "AdjustWindowRectExForDpi");
    return;
  }
  Tolerate(AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE, "AdjustWindowRectEx");
}

UniqueFont CreatePointFont(std::string_view face, double points, int dpi, int weight, BYTE charset, BYTE pitchAndFamily) {
  UniqueFont font(CreateFontW(FontHeightForPoints(points, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily,
                              Widen(face).c_str()));
  Tolerate(font.valid(), "CreateFontW");
  return font;
}

void SetControlFont(HWND control, HFONT font) {
  if (control != nullptr && font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void PlaceChild(HWND child, const PixelRect& place) {
  if (child == nullptr) return;
  Tolerate(SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                        SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
           "SetWindowPos(child)");
}

UniqueFont DefaultGuiFontForDpi(int dpi) {
  LOGFONTW logFont{};
  if (!Tolerate(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont) != 0, "GetObjectW(DEFAULT_GUI_FONT)"))
    return UniqueFont();
  logFont.lfHeight = MulDiv(logFont.lfHeight, UsableDpi(dpi), SystemDpi());
  UniqueFont font(CreateFontIndirectW(&logFont));
  Tolerate(font.valid(), "CreateFontIndirectW(default GUI font)");
  return font;
}

SIZE OuterSizeForDpi(SIZE inner, DWORD style, DWORD exStyle, int dpi) {
  RECT outer{0, 0, inner.cx, inner.cy};
  AdjustWindowRectForDpi(outer, style, exStyle, dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void ApplySuggestedRectOrSize(HWND window, const RECT* suggested, SIZE size) {
  if (suggested != nullptr) {
    ApplySuggestedRect(window, reinterpret_cast<LPARAM>(suggested));
    return;
  }
  Tolerate(SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
           "SetWindowPos(size at a new DPI)");
}

int DpiOfDpiChange(WPARAM wParam) { return UsableDpi(LOWORD(wParam)); }

void ApplySuggestedRect(HWND window, LPARAM lParam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (suggested == nullptr) return;
  Tolerate(SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                        suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE,
           "SetWindowPos(suggested rectangle)");
}

ThreadDpiAwarenessScope::ThreadDpiAwarenessScope(HWND window) {
  static const auto contextOf = User32Function<GetWindowDpiAwarenessContextFn>("GetWindowDpiAwarenessContext");
  if (window != nullptr && contextOf != nullptr) Enter(contextOf(window));
}

ThreadDpiAwarenessScope ThreadDpiAwarenessScope::PhysicalPixels() {
  ThreadDpiAwarenessScope scope;
  scope.Enter(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  // Per-monitor v2 came with Windows 10 1703 (and Wine does not know it); v1 sees the same pixels.
  if (scope.previous_ == nullptr) scope.Enter(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
  return scope;
}

ThreadDpiAwarenessScope::ThreadDpiAwarenessScope(ThreadDpiAwarenessScope&& other) noexcept
    : previous_(std::exchange(other.previous_, nullptr)) {}

void ThreadDpiAwarenessScope::Enter(DPI_AWARENESS_CONTEXT context) {
  static const auto setContext = User32Function<SetThreadDpiAwarenessContextFn>("SetThreadDpiAwarenessContext");
  if (setContext == nullptr || context == nullptr) return;
  // The answer is the context before; null when the system refused the new one (nothing changed).
  previous_ = setContext(context);
}

ThreadDpiAwarenessScope::~ThreadDpiAwarenessScope() {
  static const auto setContext = User32Function<SetThreadDpiAwarenessContextFn>("SetThreadDpiAwarenessContext");
  if (setContext != nullptr && previous_ != nullptr) setContext(previous_);
}

}  // namespace qb
