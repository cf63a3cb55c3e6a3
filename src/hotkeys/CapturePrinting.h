#pragma once
// A screen capture printed on the default printer: one page, A4 landscape, the picture at its
// natural size 10 millimetres from the left edge (PrintPlacement). Without a printer nothing
// happens and nothing is said.
#include <windows.h>

#include <cstdint>

#include "common/Geometry.h"
#include "hotkeys/ScreenCapture.h"

namespace qb {

// The page set-up the capture asks of the printer: paper A4 (DMPAPER_A4, 9), landscape
// (DMORIENT_LANDSCAPE, 2); positions in millimetres (kPrintLeftMillimetres).
inline constexpr short kCapturePaper = DMPAPER_A4;
inline constexpr short kCaptureOrientation = DMORIENT_LANDSCAPE;

// Prints one page with the picture on the default printer; false when there is no default printer
// or a step of the printing failed (the document is then abandoned).
bool PrintCapture(const ScreenPicture& picture);

// Draws `picture` on a page DC (a printer's, or a metafile's) into `place`, in the DC's device
// units, stretched with halftoning when it is shrunk. False when the drawing failed.
bool DrawCapturePicture(HDC page, const ScreenPicture& picture, const PixelRect& place);

// The page's printable area and dots per inch, as PrintPlacement needs them.
PrintablePage PrintablePageOf(HDC page);

}  // namespace qb
