#include "platform/Clipboard.h"

#include <cstring>

#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"

namespace qb {

namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// GlobalLock for the guard's lifetime.
class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HGLOBAL memory) noexcept : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  [[nodiscard]] void* data() const noexcept { return data_; }

private:
  HGLOBAL memory_;
  void* data_;
};

// Memory from GlobalAlloc until the clipboard takes it over.
struct GlobalMemoryTraits {
  using Value = HGLOBAL;
  static HGLOBAL Empty() noexcept { return nullptr; }
  static bool IsValid(HGLOBAL h) noexcept { return h != nullptr; }
  static void Close(HGLOBAL h) noexcept { GlobalFree(h); }
};

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) noexcept {
  for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
    if (attempt > 0) Sleep(kOpenRetryMs);
    open_ = OpenClipboard(owner) != FALSE;
  }
  Tolerate(open_, "OpenClipboard");
}

ClipboardSession::~ClipboardSession() {
  if (open_) CloseClipboard();
}

std::optional<std::string> ReadClipboardText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  const ClipboardSession session;
  if (!session.open()) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!Tolerate(data != nullptr, "GetClipboardData")) return std::nullopt;
  const GlobalLockGuard lock(data);
  if (!Tolerate(lock.data() != nullptr, "GlobalLock")) return std::nullopt;
  // The text ends at its terminator, or at the end of the block when another program left none.
  const auto* text = static_cast<const wchar_t*>(lock.data());
  const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  return Narrow(std::wstring_view(text, length));
}

bool WriteClipboardText(std::string_view text, HWND owner) {
  const std::wstring wide = Widen(text);
  UniqueResource<GlobalMemoryTraits> memory(GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t)));
  if (!Tolerate(memory.valid(), "GlobalAlloc")) return false;
  {
    const GlobalLockGuard lock(memory.get());
    if (!Tolerate(lock.data() != nullptr, "GlobalLock")) return false;
    std::memcpy(lock.data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  const ClipboardSession session(owner);
  if (!session.open()) return false;
  if (!Tolerate(EmptyClipboard() != FALSE, "EmptyClipboard")) return false;
  if (!Tolerate(SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr, "SetClipboardData")) return false;
  // The clipboard owns the memory now.
  (void)memory.release();
  return true;
}

UniqueBitmap ReadClipboardBitmap() {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return UniqueBitmap();
  const ClipboardSession session;
  if (!session.open()) return UniqueBitmap();
  // The clipboard keeps its own bitmap; the program takes a copy it can hold after others change
  // the clipboard.
  const auto data = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (!Tolerate(data != nullptr, "GetClipboardData CF_BITMAP")) return UniqueBitmap();
  UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
  Tolerate(copy.valid(), "CopyImage");
  return copy;
}

bool WriteClipboardBitmap(HBITMAP bitmap, HWND owner) {
  if (bitmap == nullptr) return false;
  UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
  if (!Tolerate(copy.valid(), "CopyImage")) return false;
  const ClipboardSession session(owner);
  if (!session.open()) return false;
  if (!Tolerate(EmptyClipboard() != FALSE, "EmptyClipboard")) return false;
  if (!Tolerate(SetClipboardData(CF_BITMAP, copy.get()) != nullptr, "SetClipboardData CF_BITMAP")) return false;
  // The clipboard owns the copy now.
  (void)copy.release();
  return true;
}

bool WriteClipboardDib(std::string_view packedDib, HWND owner) {
  if (packedDib.size() < sizeof(BITMAPINFOHEADER)) return false;
  UniqueResource<GlobalMemoryTraits> memory(GlobalAlloc(GMEM_MOVEABLE, packedDib.size()));
  if (!Tolerate(memory.valid(), "GlobalAlloc")) return false;
  {
    const GlobalLockGuard lock(memory.get());
    if (!Tolerate(lock.data() != nullptr, "GlobalLock")) return false;
    std::memcpy(lock.data(), packedDib.data(), packedDib.size());
  }
  const ClipboardSession session(owner);
  if (!session.open()) return false;
  if (!Tolerate(EmptyClipboard() != FALSE, "EmptyClipboard")) return false;
  if (!Tolerate(SetClipboardData(CF_DIB, memory.get()) != nullptr, "SetClipboardData CF_DIB")) return false;
  // The clipboard owns the memory now.
  (void)memory.release();
  return true;
}

DWORD ClipboardSequence() { return GetClipboardSequenceNumber(); }

bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (GetClipboardSequenceNumber() != sequence) return true;
    if (GetTickCount64() >= deadline) return false;
    PumpPendingMessages();
    Sleep(10);
  }
}

}  // namespace qb
