#pragma once
// The clipboard, as text or as a picture. Opening it can fail for a moment while another program holds it, so
// every operation retries briefly before giving up (tolerated and logged).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/Handles.h"

namespace qb {

// Holds the clipboard open for its lifetime; `owner` becomes the clipboard owner after an empty.
class ClipboardSession {
public:
  explicit ClipboardSession(HWND owner = nullptr) noexcept;
  ~ClipboardSession();
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  [[nodiscard]] bool open() const noexcept { return open_; }

private:
  bool open_ = false;
};

// The clipboard's text (CF_UNICODETEXT, which Windows also offers for CF_TEXT contents), or
// nothing when it holds no text or cannot be opened.
std::optional<std::string> ReadClipboardText();
// Empties the clipboard and puts the text on it; false when that failed.
bool WriteClipboardText(std::string_view text, HWND owner = nullptr);

// A copy of the clipboard's picture (CF_BITMAP, which Windows also offers for CF_DIB contents), or
// a null bitmap when it holds none or cannot be opened. The copy is the caller's.
UniqueBitmap ReadClipboardBitmap();
// Empties the clipboard and puts a copy of `bitmap` on it; false when that failed. The caller
// keeps its own bitmap.
bool WriteClipboardBitmap(HBITMAP bitmap, HWND owner = nullptr);

// Empties the clipboard and puts a copy of a packed device-independent bitmap on it (CF_DIB: a
// BITMAPINFOHEADER, its colour table if any, then the pixels; a bitmap file without its first 14
// bytes). Windows offers it as CF_BITMAP too. False when that failed.
bool WriteClipboardDib(std::string_view packedDib, HWND owner = nullptr);

// The clipboard's sequence number, which every change of its contents moves on.
DWORD ClipboardSequence();
// Waits, processing this thread's messages, until the clipboard has changed since `sequence` or
// `timeoutMs` has passed; true when it changed.
bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs);

}  // namespace qb
