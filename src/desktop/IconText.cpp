#include "desktop/IconText.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "desktop/IconTextChoice.h"
#include "platform/DebugLog.h"
#include "platform/WindowHelpers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

namespace {

// The icon list lives in the shell's process: a shell that hangs must not hang the program, so
// every message gives up after this long (and at once when the system already deems it hung).
constexpr UINT kShellAnswerMs = 2000;

std::optional<LRESULT> AskIconList(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, kShellAnswerMs, &answer);
  if (!Tolerate(sent != 0, "SendMessageTimeoutW to the desktop icon list")) return std::nullopt;
  return static_cast<LRESULT>(answer);
}

HWND IconListUnder(HWND shellWindow) {
  if (shellWindow == nullptr) return nullptr;
  const HWND view = FindChildWindow(shellWindow, nullptr, "SHELLDLL_DefView", "");
  return view == nullptr ? nullptr : FindChildWindow(view, nullptr, "SysListView32", "");
}

// Since Windows 8 the shell moves its desktop view out of Progman into a top-level WorkerW window
// when it animates the wallpaper (slide shows, the fade on a change); the view stays there.
HWND IconListUnderAWorkerW() {
  HWND worker = nullptr;
  while ((worker = FindWindowExW(nullptr, worker, L"WorkerW", nullptr)) != nullptr) {
    if (const HWND list = IconListUnder(worker)) return list;
  }
  return nullptr;
}

void SetBackgroundOf(HWND list, uint32_t colour) {
  AskIconList(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(static_cast<COLORREF>(colour)));
  const auto count = AskIconList(list, LVM_GETITEMCOUNT, 0, 0);
  // With no icons the last item is -1: the request covers nothing and the repaint below still comes.
  if (count) AskIconList(list, LVM_REDRAWITEMS, 0, static_cast<LPARAM>(*count - 1));
  // Only the icon list repaints: invalidating every window of the desktop would make each of them
  // answer WM_ERASEBKGND before InvalidateRect returns, and one hung window would hang the program.
  Tolerate(InvalidateRect(list, nullptr, TRUE) != FALSE, "InvalidateRect of the desktop icon list");
}

uint32_t DesktopColour() { return static_cast<uint32_t>(GetSysColor(COLOR_BACKGROUND)) & 0xFFFFFF; }

uintptr_t IdOf(HWND list) { return reinterpret_cast<uintptr_t>(list); }

}  // namespace

HWND FindDesktopIconList() {
  if (const HWND list = IconListUnder(FindWindowW(L"Progman", nullptr))) return list;
  return IconListUnderAWorkerW();
}

void SetIconTextBackground(uint32_t colour) {
  const HWND list = FindDesktopIconList();
  if (list == nullptr) return;
  IconTextRecord& record = TheIconTextRecord();
  if (record.NeedsOriginalOf(IdOf(list))) {
    const auto original = AskIconList(list, LVM_GETTEXTBKCOLOR, 0, 0);
    // A shell that does not tell its background would not take a new one either; and without the
    // original nothing could be given back.
    if (!original) return;
    record.RememberOriginal(IdOf(list), static_cast<uint32_t>(static_cast<COLORREF>(*original)));
  }
  SetBackgroundOf(list, colour);
}

void RestoreIconText() {
  const HWND list = FindDesktopIconList();
  if (list == nullptr) return;
  if (const auto original = TheIconTextRecord().TakeOriginalFor(IdOf(list))) SetBackgroundOf(list, *original);
}

void ApplyIconTextChoice() {
  const uint32_t desktop = DesktopColour();
  const std::string check = ReadSetting(keys::IconTextCheck);
  const std::string colour = ReadSetting(keys::IconTextColor.section, keys::IconTextColor.key, std::to_string(desktop));
  SetIconTextBackground(IconTextBackgroundFor(check, colour, desktop));
}

}  // namespace qb
