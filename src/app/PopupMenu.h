#pragma once
// The Windows side of the popup menu: a Win32 popup menu built from the menu model each time it
// opens (so hidden items, captions and the check mark are always those of the model), and the
// tracking of it at the pointer.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/MenuModel.h"
#include "platform/Handles.h"

namespace qb {

// The visible items of `model` in order, with their command ids, captions and check marks.
// A null menu when Windows cannot make one.
UniqueMenu BuildPopupMenu(const MainMenu& model);

// A caption as a menu label: '&' would mark the next character as the mnemonic and vanish, so it
// is doubled and a slot text shows exactly as it is.
std::wstring MenuLabel(std::string_view caption);

// Opens `menu` at `at`, or at the pointer, for `owner` and waits until it closes; answers the
// command chosen, 0 when none. Brings `owner` to the foreground first and posts it WM_NULL afterwards: without
// these a menu of a window that is not in the foreground does not close when the user clicks
// elsewhere (the documented TrackPopupMenu remark for notification-area menus).
UINT TrackMenu(HWND owner, HMENU menu, std::optional<POINT> at = std::nullopt);

// Starts the program itself, "<application folder>\Quorbell.exe" with the path quoted, with
// `argument` (Menu for the launcher, Diet for the memory diet), in the application folder (where
// the resident program's files are found); does not wait. The launcher comes up as a normal
// window allowed to the front; the diet, which shows nothing, starts minimised with focus.
// A failure is logged and otherwise ignored.
void StartOwnProcess(std::string_view argument);

}  // namespace qb
