#include "app/PopupMenu.h"

#include "platform/DebugLog.h"
#include "platform/MessagePump.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/WinText.h"

namespace qb {

std::wstring MenuLabel(std::string_view caption) {
  const std::wstring wide = Widen(caption);
  std::wstring label;
  label.reserve(wide.size());
  for (const wchar_t c : wide) {
    label += c;
    if (c == L'&') label += L'&';
  }
  return label;
}

UniqueMenu BuildPopupMenu(const MainMenu& model) {
  UniqueMenu menu(CreatePopupMenu());
  if (!Tolerate(menu.valid(), "CreatePopupMenu")) return menu;
  UINT position = 0;
  for (const MainMenu::Entry& entry : model.VisibleEntries()) {
    std::wstring label = MenuLabel(entry.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
    info.fType = MFT_STRING;
    info.fState = entry.checked ? MFS_CHECKED : MFS_UNCHECKED;
    info.wID = MenuCommandId(entry.item);
    info.dwTypeData = label.data();
    if (Tolerate(InsertMenuItemW(menu.get(), position, TRUE, &info) != FALSE, "InsertMenuItemW")) ++position;
  }
  return menu;
}

UINT TrackMenu(HWND owner, HMENU menu, std::optional<POINT> at) {
  Tolerate(SetForegroundWindow(owner) != FALSE, "SetForegroundWindow");
  PumpPendingMessages();
  POINT pointer{};
  if (at) {
    pointer = *at;
  } else {
    Tolerate(GetCursorPos(&pointer) != FALSE, "GetCursorPos");
  }
  // Left-aligned below and right of the pointer, as a popup menu opens by default; the chosen
  // command comes back here rather than as WM_COMMAND, so its action runs before this returns.
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, pointer.x, pointer.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return command;
}

void StartOwnProcess(std::string_view argument) {
  // The fixed program name in the application folder, as the helper roles expect to be started.
  const std::string folder = ExeDir();
  // The launcher's first window takes the start's show state: minimised, a window without title
  // bar would be out of reach and its keys would go to another program.
  const bool launcher = argument == "Menu";
  (void)StartProcess(folder + "\\Quorbell.exe", argument, launcher ? SW_SHOWNORMAL : SW_SHOWMINIMIZED, folder,
                     launcher ? Foreground::HandOver : Foreground::Keep);
}

}  // namespace qb
