#pragma once
// The screen capture without the window system: the capture file's name, the area a capture
// takes, whether it prints, where the picture goes on a printed page and what the user is told.
// The Windows side (ScreenCapture.cpp, CapturePrinting.cpp) carries them out.
#include <optional>
#include <string>
#include <string_view>

#include "common/Geometry.h"

namespace qb {

// A local date and time as the clock shows it.
struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
};

// "yymmddhhmmss.BMP": two-digit year, month, day, hour, minute and second, each two digits, so a
// second capture within the same second takes (and replaces) the same file.
std::string CaptureFileName(const LocalDateTime& time);

// The area a capture takes, in screen pixels: the target window's rectangle clipped to the screen
// (the virtual screen, every monitor), or the whole screen. nullopt when nothing of the window
// lies on the screen (a minimised window, one moved off every monitor, no window at all).
std::optional<PixelRect> CaptureArea(const PixelRect& screen, const std::optional<PixelRect>& targetWindow);

// SShot/Prn: exactly "True" prints the capture; any other text saves it as a file.
[[nodiscard]] bool CapturePrints(std::string_view prnSetting);

// What became of a capture.
enum class CaptureOutcome {
  Saved,       // the file was written
  Printed,     // the page went to the printer
  NotPrinted,  // no printer, or printing failed: nothing is said
  NoPicture,   // the screen gave no picture
  NotSaved,    // the file could not be written
};
inline constexpr std::string_view kCaptureFailedMessage = "保存出来ませんでした。";
// The message the user sees afterwards, if any: "保存出来ませんでした。" when there was no picture
// and also when its file could not be written (otherwise the user would believe it was saved).
std::optional<std::string_view> CaptureMessage(CaptureOutcome outcome);

// A printed capture: the picture at its natural size (its pixels at the screen's dots per inch,
// shown at the printer's), 10 millimetres from the left edge of the printable area and at its top;
// shrunk, keeping its proportions, only when it does not fit in what is left of the area.
inline constexpr double kPrintLeftMillimetres = 10;
struct PrintablePage {
  int widthDots = 0;   // the printable area in printer dots (HORZRES, VERTRES)
  int heightDots = 0;
  int dpiX = 0;  // printer dots per inch (LOGPIXELSX, LOGPIXELSY)
  int dpiY = 0;
};
struct PictureOnScreen {
  int width = 0;  // pixels
  int height = 0;
  int dpiX = 96;  // the screen's dots per inch (LOGPIXELSX, LOGPIXELSY)
  int dpiY = 96;
};
// The rectangle, in printer dots, the picture is drawn into; nullopt when there is nothing to draw
// or no room for it (an empty picture, a page without a printable area or without dots per inch).
std::optional<PixelRect> PrintPlacement(const PictureOnScreen& picture, const PrintablePage& page);

}  // namespace qb
