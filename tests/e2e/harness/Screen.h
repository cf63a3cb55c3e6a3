#pragma once
// What is on the screen: pixels captured from the screen's DC (what a user sees, whichever
// process drew it), and a way to keep a capture as a bitmap file for a person to look at.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qb::e2e {

struct ScreenImage {
  RECT area{};  // screen coordinates of the capture
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  [[nodiscard]] bool Empty() const { return pixels.empty(); }
  // The colour at a point relative to the capture's top-left corner, as a COLORREF (0x00BBGGRR);
  // CLR_INVALID outside the capture.
  [[nodiscard]] COLORREF At(int x, int y) const;
};

// The pixels of a screen rectangle; empty when the capture fails.
ScreenImage CaptureScreen(const RECT& area);
// The window's rectangle as it appears on the screen (covered parts show what covers them).
ScreenImage CaptureWindow(HWND hwnd);
// Writes the capture as a 24-bit bitmap file; false when nothing was written.
[[nodiscard]] bool SaveBitmap(const ScreenImage& image, const std::wstring& path);

// True when the colours differ by at most `tolerance` in each of red, green and blue.
bool SameColour(COLORREF a, COLORREF b, int tolerance = 0);

}  // namespace qb::e2e
