#include "hotkeys/WindowTools.h"

#include "hotkeys/TargetWindow.h"
#include "hotkeys/ToolState.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/WindowHelpers.h"

namespace qb {

void ToggleWindowShade() {
  const HWND window = GetForegroundWindow();
  // In the window's own coordinates: a program the system scales for its monitor works in pixels
  // of 96 dots per inch, and its region is one of those.
  const ThreadDpiAwarenessScope itsOwnCoordinates(window);
  RECT rect{};
  Tolerate(GetWindowRect(window, &rect) != FALSE, "GetWindowRect");
  const std::optional<PixelRect> shape =
      NextShadeRegion(TheWindowTools().ShadeActive, rect.right, TheWindowTools().XpTitleMode, DpiOfWindow(window));
  if (!shape) {
    // Rolling back removes the region: the window gets its own full shape back, whatever its size.
    Tolerate(SetWindowRgn(window, nullptr, TRUE) != 0, "SetWindowRgn(none)");
    return;
  }
  UniqueRegion region(CreateRectRgn(shape->left, shape->top, shape->right, shape->bottom));
  if (!Tolerate(region.valid(), "CreateRectRgn")) return;
  // On success the system owns the region; on failure it is still ours to delete.
  if (Tolerate(SetWindowRgn(window, region.get(), TRUE) != 0, "SetWindowRgn")) static_cast<void>(region.release());
}

void SetForegroundAlpha(uint8_t alpha) {
  if (!HasLayeredWindows()) return;
  SetWindowAlpha(GetForegroundWindow(), alpha);
}

void ResetForegroundAlpha() {
  if (!HasLayeredWindows()) return;
  RemoveWindowAlpha(GetForegroundWindow());
}

void RaiseForegroundAlpha() {
  WindowToolFlags& tools = TheWindowTools();
  tools.AlphaLevel = AlphaLevelUp(tools.AlphaLevel);
  SetForegroundAlpha(tools.AlphaLevel);
}

void LowerForegroundAlpha() {
  WindowToolFlags& tools = TheWindowTools();
  tools.AlphaLevel = AlphaLevelDown(tools.AlphaLevel);
  SetForegroundAlpha(tools.AlphaLevel);
}

void ToggleTopmost() {
  TargetWindow = GetForegroundWindow();
  const HWND after = NextTopmost(TheWindowTools().TopmostActive) ? HWND_TOPMOST : HWND_NOTOPMOST;
  Tolerate(SetWindowPos(TargetWindow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE, "SetWindowPos(topmost)");
}

}  // namespace qb
