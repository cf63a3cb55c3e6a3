#include "hotkeys/ScreenCapture.h"

#include <algorithm>

#include "calendar/CalendarWindow.h"
#include "common/AppIdentity.h"
#include "common/BmpFile.h"
#include "common/FileSystem.h"
#include "hotkeys/CapturePrinting.h"
#include "hotkeys/TargetWindow.h"
#include "memo/DesktopMemos.h"
#include "memo/MemoWindow.h"
#include "platform/Clipboard.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/Paths.h"
#include "platform/PictureFile.h"
#include "settings/Settings.h"

namespace qb {

namespace {

// How long the capture waits at most for other programs to repaint what the hidden windows
// uncovered: a program that does not answer must not hold the capture up for longer.
constexpr ULONGLONG kRepaintLimitMs = 500;

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

std::optional<PixelRect> WindowRectOf(HWND window) {
  RECT rect{};
  if (window == nullptr || !Tolerate(GetWindowRect(window, &rect) != FALSE, "GetWindowRect(capture target)")) {
    return std::nullopt;
  }
  return ToPixelRect(rect);
}

// Waits for the desktop composition to show what changed (Windows Vista and later, where the
// composition is on; nothing elsewhere).
void FlushDesktopComposition() {
  using Flush = HRESULT(WINAPI*)();
  static const Flush flush = [] {
    const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    return dwm == nullptr ? nullptr : reinterpret_cast<Flush>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmFlush")));
  }();
  if (flush != nullptr) flush();
}

// The visible top-level windows of every program (other than `except`) that overlap one of `areas`.
std::vector<HWND> WindowsOver(const std::vector<PixelRect>& areas, const std::vector<HWND>& except) {
  struct Search {
    const std::vector<PixelRect>* areas;
    const std::vector<HWND>* except;
    std::vector<HWND> found;
  } search{&areas, &except, {}};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lp);
        if (!IsWindowVisible(window) || IsIconic(window)) return TRUE;
        if (std::find(s.except->begin(), s.except->end(), window) != s.except->end()) return TRUE;
        RECT rect{};
        if (!GetWindowRect(window, &rect)) return TRUE;
        const PixelRect r = ToPixelRect(rect);
        if (std::any_of(s.areas->begin(), s.areas->end(), [&](const PixelRect& a) { return Intersects(a, r); })) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// True while the window or one of its child windows still has a part to repaint.
bool RepaintPending(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  bool pending = false;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lp) -> BOOL {
        if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&pending));
  return pending;
}

void HideBehindEmptyRegion(HWND window) {
  UniqueRegion empty(CreateRectRgn(0, 0, 0, 0));
  if (!Tolerate(empty.valid(), "CreateRectRgn(empty)")) return;
  // On success the system owns the region.
  if (Tolerate(SetWindowRgn(window, empty.get(), TRUE) != 0, "SetWindowRgn(empty)")) static_cast<void>(empty.release());
}

}  // namespace

PixelRect VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0) {
    // Systems without several monitors' metrics (Windows 95, NT 4) have the primary screen only.
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  return {left, top, left + width, top + height};
}

std::optional<ScreenPicture> TakeScreenPicture(const PixelRect& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  std::uint32_t* bits = nullptr;
  ScreenPicture picture;
  picture.bitmap = CreateTopDownDib(width, height, &bits);
  if (!Tolerate(picture.bitmap.valid() && bits != nullptr, "CreateDIBSection(capture)")) return std::nullopt;
  const WindowDc screen(nullptr);
  if (!Tolerate(static_cast<bool>(screen), "GetDC(screen)")) return std::nullopt;
  const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!Tolerate(memory.valid(), "CreateCompatibleDC(capture)")) return std::nullopt;
  {
    const SelectGuard select(memory.get(), picture.bitmap.get());
    if (!Tolerate(select.selected(), "SelectObject(capture)")) return std::nullopt;
    // CAPTUREBLT: layered (translucent) windows belong to what the screen shows.
    if (!Tolerate(BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT) != FALSE,
                  "BitBlt(screen)")) {
      return std::nullopt;
    }
  }
  GdiFlush();
  picture.pixels = bits;
  picture.size = {width, height, GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
  return picture;
}

OwnDesktopWindowsHidden::OwnDesktopWindowsHidden() {
  auto hide = [&](HWND window, bool memo) {
    if (window == nullptr || !IsWindow(window)) return;
    RECT rect{};
    GetWindowRect(window, &rect);
    hidden_.push_back({window, memo, ToPixelRect(rect)});
    HideBehindEmptyRegion(window);
  };
  hide(CalendarWindowHandle, false);
  for (const HWND memo : MemoWindows) hide(memo, true);
}

OwnDesktopWindowsHidden::~OwnDesktopWindowsHidden() {
  for (const Hidden& h : hidden_) {
    if (!IsWindow(h.window)) continue;
    if (h.memo) {
      ApplyMemoRegion(h.window);
    } else {
      Tolerate(SetWindowRgn(h.window, nullptr, TRUE) != 0, "SetWindowRgn(none)");
    }
  }
}

void OwnDesktopWindowsHidden::WaitUntilUncoveredPartsRepainted() const {
  if (hidden_.empty()) return;
  // The program's own windows behind repaint here, and the hiding reaches the display.
  PumpPendingMessages();
  std::vector<PixelRect> areas;
  std::vector<HWND> windows;
  for (const Hidden& h : hidden_) {
    areas.push_back(h.rect);
    windows.push_back(h.window);
  }
  const ULONGLONG deadline = GetTickCount64() + kRepaintLimitMs;
  auto remainingMs = [&] {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0u : static_cast<UINT>(deadline - now);
  };
  const std::vector<HWND> behind = WindowsOver(areas, windows);
  // A thread answers a sent message only between its other work, so once it has, it has taken in
  // the uncovering; what it still has to paint shows in its update regions.
  for (const HWND window : behind) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, std::max(1u, remainingMs()), &ignored);
  }
  while (remainingMs() > 0 && std::any_of(behind.begin(), behind.end(), RepaintPending)) {
    PumpPendingMessages();
    Sleep(5);
  }
  FlushDesktopComposition();
}

CaptureOutcome RunCapture(const CaptureRequest& request) {
  std::optional<ScreenPicture> picture;
  {
    const OwnDesktopWindowsHidden hidden;
    hidden.WaitUntilUncoveredPartsRepainted();
    // The screen in its real pixels, also should the system run the program scaled (a start
    // that did not read its manifest): a capture must take the whole screen, not a corner of it.
    const ThreadDpiAwarenessScope physical = ThreadDpiAwarenessScope::PhysicalPixels();
    std::optional<PixelRect> area;
    if (!request.windowCapture) {
      area = CaptureArea(VirtualScreen(), std::nullopt);
    } else if (const std::optional<PixelRect> window = WindowRectOf(request.target)) {
      area = CaptureArea(VirtualScreen(), window);
    }
    if (area) picture = TakeScreenPicture(*area);
  }
  if (!picture) return CaptureOutcome::NoPicture;
  // The bitmap file's bytes after its file header are the clipboard's device-independent bitmap:
  // one encoding serves both, and copying it is cheaper than a device-dependent copy of the picture.
  const std::string bytes = EncodeBmp24(picture->pixels, picture->size.width, picture->size.height);
  if (bytes.size() > kBmpFileHeaderSize) {
    WriteClipboardDib(std::string_view(bytes).substr(kBmpFileHeaderSize), request.clipboardOwner);
  } else {
    WriteClipboardBitmap(picture->bitmap.get(), request.clipboardOwner);
  }
  if (request.print) return PrintCapture(*picture) ? CaptureOutcome::Printed : CaptureOutcome::NotPrinted;
  const std::string path = JoinPath(request.directory, CaptureFileName(request.time));
  if (bytes.empty() || !SystemFileSystem().WriteFileAtomically(path, bytes)) {
    DebugLog("screen capture: " + path + " could not be written");
    return CaptureOutcome::NotSaved;
  }
  return CaptureOutcome::Saved;
}

void CaptureScreen(HWND mainWindow, bool windowCapture) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CaptureRequest request;
  request.clipboardOwner = mainWindow;
  request.windowCapture = windowCapture;
  request.target = TargetWindow;
  request.print = CapturePrints(ReadSetting(keys::SShotPrn));
  request.directory = ExeDir();
  request.time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  if (const auto message = CaptureMessage(RunCapture(request))) ShowMessageBox(mainWindow, *message, kAppTitle, MB_OK);
}

}  // namespace qb
