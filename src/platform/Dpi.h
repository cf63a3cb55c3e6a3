#pragma once
// The DPI of the screens the windows stand on. The program is aware of each monitor's DPI (its
// manifest says so): every window lays itself out for the DPI of the monitor it stands on, and again
// when it is moved to a monitor of another DPI, on WM_DPICHANGED. The calls for this came with
// Windows 8.1 and Windows 10; on older systems every answer is the system's one DPI. Wine has one
// DPI for all monitors (its LogPixels setting) and never sends WM_DPICHANGED.
#include <windows.h>

#include <string_view>

#include "common/DpiScale.h"
#include "platform/Handles.h"

namespace qb {

// The DPI of the primary monitor when the user logged on, the one scale of the whole desktop:
// places stored in twips are converted with it, so that a window comes back where it stood on a
// desktop of any number of monitors.
[[nodiscard]] int SystemDpi();
// The DPI a window works at: for a window of this program, its monitor's; for another program's,
// the one its DPI awareness gives it (96 for a program the system scales for it, the system DPI for
// one aware of that only, its monitor's for one aware of each monitor's).
[[nodiscard]] int DpiOfWindow(HWND window);
[[nodiscard]] int DpiOfMonitor(HMONITOR monitor);
// The DPI of the monitor a point or a rectangle is on (the nearest one when it is on none).
[[nodiscard]] int DpiAtPoint(POINT point);
[[nodiscard]] int DpiAtRect(const RECT& rect);

// GetSystemMetrics as it answers at `dpi` (frames, captions, scroll bars, icons).
[[nodiscard]] int SystemMetricForDpi(int index, int dpi);
// AdjustWindowRectEx at `dpi`: the outer rectangle of a window whose inner area is `rect`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// A font of that face and size in points at `dpi` (points stay points: the same size in inches on
// every monitor); weight, character set and pitch as CreateFontW takes them. Null (logged) when it
// cannot be made.
[[nodiscard]] UniqueFont CreatePointFont(std::string_view face, double points, int dpi, int weight, BYTE charset,
                                         BYTE pitchAndFamily);
// Gives a control a font (WM_SETFONT) and redraws it; the caller keeps the font alive meanwhile.
void SetControlFont(HWND control, HFONT font);
// Moves and sizes a child window to a rectangle of its parent's inner area.
void PlaceChild(HWND child, const PixelRect& place);

// The system's default GUI font (DEFAULT_GUI_FONT, made for the system DPI) at `dpi`; null when it
// cannot be made.
[[nodiscard]] UniqueFont DefaultGuiFontForDpi(int dpi);

// The outer size of a window with that style whose inner area is `inner` at `dpi`.
[[nodiscard]] SIZE OuterSizeForDpi(SIZE inner, DWORD style, DWORD exStyle, int dpi);

// WM_DPICHANGED: the new DPI the message carries in its wParam, and the rectangle it suggests in its
// lParam, which the window takes (the system chose it so that the window stays under the pointer
// of a user who drags it across).
[[nodiscard]] int DpiOfDpiChange(WPARAM wParam);
void ApplySuggestedRect(HWND window, LPARAM lParam);
// The suggested rectangle when there is one; otherwise (a window that found itself at another DPI
// than it was made for) the size it has at its new DPI, its top-left corner kept.
void ApplySuggestedRectOrSize(HWND window, const RECT* suggested, SIZE size);

// For its lifetime, the calling thread sees the screen in the coordinates of another program's
// window (its DPI awareness): a window that lets the system scale it for it works in pixels of 96
// dots per inch, whatever its monitor's DPI. Nothing changes where the system cannot say (older
// than Windows 10 1607) or refuses (Wine).
class ThreadDpiAwarenessScope {
public:
  // The awareness of `window`'s own thread.
  explicit ThreadDpiAwarenessScope(HWND window);
  // The screen in its real pixels (per-monitor awareness).
  static ThreadDpiAwarenessScope PhysicalPixels();
  ~ThreadDpiAwarenessScope();
  ThreadDpiAwarenessScope(ThreadDpiAwarenessScope&& other) noexcept;
  ThreadDpiAwarenessScope(const ThreadDpiAwarenessScope&) = delete;
  ThreadDpiAwarenessScope& operator=(const ThreadDpiAwarenessScope&) = delete;
  ThreadDpiAwarenessScope& operator=(ThreadDpiAwarenessScope&&) = delete;

private:
  ThreadDpiAwarenessScope() = default;
  void Enter(DPI_AWARENESS_CONTEXT context);

  DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

}  // namespace qb
