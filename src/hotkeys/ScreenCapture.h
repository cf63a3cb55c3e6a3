#pragma once
// The screen capture of the Print Screen hotkeys: the whole screen, or the window that was in
// front, taken from the screen itself with the program's desktop calendar and memos hidden
// meanwhile, onto the clipboard and then into "yymmddhhmmss.BMP" in the program's folder or onto
// one printed page (SShot/Prn). The rules without the window system are in ScreenCaptureRules.h.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Geometry.h"
#include "hotkeys/ScreenCaptureRules.h"
#include "platform/Handles.h"

namespace qb {

// A picture taken from the screen: a top-down 32-bit DIB section and what a printed page needs to
// know of the screen it came from.
struct ScreenPicture {
  UniqueBitmap bitmap;
  const std::uint32_t* pixels = nullptr;  // 0x00RRGGBB, top row first; lives with `bitmap`
  PictureOnScreen size;                   // pixels and the screen's dots per inch
};

// The virtual screen (every monitor), in screen pixels.
PixelRect VirtualScreen();

// The pixels of `area` as the screen shows them, layered (translucent) windows included; nullopt
// when the screen gives none.
std::optional<ScreenPicture> TakeScreenPicture(const PixelRect& area);

// Hides the program's desktop calendar and every open memo behind an empty window region for its
// lifetime, and gives them back their shapes afterwards, whatever happened meanwhile: the memos
// their rim (ApplyMemoRegion), the calendar no region at all (it never has one).
class OwnDesktopWindowsHidden {
public:
  OwnDesktopWindowsHidden();
  ~OwnDesktopWindowsHidden();
  OwnDesktopWindowsHidden(const OwnDesktopWindowsHidden&) = delete;
  OwnDesktopWindowsHidden& operator=(const OwnDesktopWindowsHidden&) = delete;

  // Returns once the windows of every program behind the hidden ones have repainted the parts
  // that were uncovered (or after a short limit, for a program that does not answer), so that a
  // picture taken next shows them rather than what the hidden windows left on the screen.
  void WaitUntilUncoveredPartsRepainted() const;

private:
  struct Hidden {
    HWND window;
    bool memo;
    PixelRect rect;  // on the screen, when it was hidden
  };
  std::vector<Hidden> hidden_;
};

struct CaptureRequest {
  HWND clipboardOwner = nullptr;
  // Window capture: the window's rectangle clipped to the screen (nullopt: the whole screen). A
  // window capture without a window has nothing to take.
  bool windowCapture = false;
  HWND target = nullptr;
  bool print = false;     // one printed page instead of a file
  std::string directory;  // where the file goes
  LocalDateTime time;     // names the file
};

// The capture without any message: hides the calendar and memos, takes the picture, gives them
// back their shapes, puts the picture on the clipboard (only when there is one, so a failed capture
// leaves the clipboard as it was), then prints it or writes the file, replacing one of the same
// name in one step.
CaptureOutcome RunCapture(const CaptureRequest& request);

// The hotkey action: the whole screen or TargetWindow, SShot/Prn read now, the file in the
// program's folder named for this moment; "保存出来ませんでした。" when there was no picture or its
// file could not be written.
void CaptureScreen(HWND mainWindow, bool windowCapture);

}  // namespace qb
