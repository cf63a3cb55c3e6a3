#include "memo/DesktopMemos.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "calendar/CalendarWindow.h"
#include "common/AppIdentity.h"
#include "memo/MemoWindow.h"
#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"

namespace qb {

std::array<HWND, kMemoSlots> MemoWindows{};

namespace {

struct Memos {
  OpenWorkRegistry* openWork = nullptr;
  std::vector<std::unique_ptr<MemoWindow>> windows;
  // Windows that have closed are freed one creation later, never inside their own handlers.
  std::vector<std::unique_ptr<MemoWindow>> closed;
};

Memos& TheMemos() {
  static Memos memos;
  return memos;
}

void ForgetClosed(int n, HWND window) {
  if (n >= 0 && n < kMemoSlots && MemoWindows[static_cast<size_t>(n)] == window) {
    MemoWindows[static_cast<size_t>(n)] = nullptr;
  }
}

MemoWindow* CreateMemo() {
  Memos& memos = TheMemos();
  memos.closed.clear();
  for (auto& w : memos.windows) {
    if (w->Hwnd() == nullptr) memos.closed.push_back(std::move(w));
  }
  std::erase(memos.windows, nullptr);
  auto window = std::make_unique<MemoWindow>(memos.openWork, &ForgetClosed);
  if (!window->Load()) return nullptr;
  memos.windows.push_back(std::move(window));
  return memos.windows.back().get();
}

std::array<bool, kMemoSlots> OpenSlots() {
  std::array<bool, kMemoSlots> open{};
  for (int n = 0; n < kMemoSlots; ++n) open[static_cast<size_t>(n)] = MemoWindows[static_cast<size_t>(n)] != nullptr;
  return open;
}

// New memos are cascaded like new windows, by their number, within the work area.
void PlaceNewMemo(MemoWindow& memo, int n) {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Tolerate(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) != 0, "SystemParametersInfoW(SPI_GETWORKAREA)");
  const int dpi = DpiOfWindow(memo.Hwnd());
  const int step = std::max(1, SystemMetricForDpi(SM_CYCAPTION, dpi) + SystemMetricForDpi(SM_CYSIZEFRAME, dpi));
  RECT r{};
  GetWindowRect(memo.Hwnd(), &r);
  const int across = static_cast<int>((work.right - work.left) - (r.right - r.left)) / step;
  const int down = static_cast<int>((work.bottom - work.top) - (r.bottom - r.top)) / step;
  const int k = (n + 1) % std::max(1, std::min(across, down));
  Tolerate(SetWindowPos(memo.Hwnd(), nullptr, work.left + k * step, work.top + k * step, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
           "SetWindowPos(new memo)");
}

}  // namespace

void SetUpDesktopMemos(OpenWorkRegistry& openWork) { TheMemos().openWork = &openWork; }

void LoadDesktopMemos() {
  for (int n = 0; n < kMemoSlots; ++n) {
    const HWND open = MemoWindows[static_cast<size_t>(n)];
    if (open == nullptr) continue;
    try {
      SendMessageW(open, WM_CLOSE, 0, 0);
    } catch (...) {
      LogCurrentException("closing a memo");
    }
    MemoWindows[static_cast<size_t>(n)] = nullptr;
  }
  for (const StoredMemo& stored : ReadStoredMemos()) {
    try {
      MemoWindow* memo = CreateMemo();
      if (memo == nullptr) continue;
      MemoWindows[static_cast<size_t>(stored.n)] = memo->Hwnd();
      memo->SetText(stored.boxText, stored.place);
      memo->SetMemoNo(stored.n);
      memo->Bottom();
    } catch (...) {
      LogCurrentException("opening a stored memo");
    }
  }
  try {
    ReopenDesktopCalendar();
  } catch (...) {
    LogCurrentException("opening the desktop calendar again");
  }
}

HWND NewDesktopMemo() {
  const std::optional<int> n = FindFreeMemoSlot(OpenSlots());
  if (!n) {
    ShowMessageBox(nullptr, kMemoLimitMessage, kAppTitle, MB_OK);
    return nullptr;
  }
  MemoWindow* memo = CreateMemo();
  if (memo == nullptr) return nullptr;
  MemoWindows[static_cast<size_t>(*n)] = memo->Hwnd();
  PlaceNewMemo(*memo, *n);
  memo->SetMemoNo(*n);
  memo->Bottom();
  return memo->Hwnd();
}

}  // namespace qb
