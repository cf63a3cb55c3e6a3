#pragma once
// Popup menus of the program under test: finding the menu window it shows and reading its items.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/Wait.h"

namespace qb::e2e {

inline constexpr wchar_t kPopupMenuClass[] = L"#32768";

struct PopupMenuItem {
  std::string caption;  // UTF-8, as the menu holds it ('&&' for a shown '&')
  UINT id = 0;
  bool checked = false;
  bool separator = false;
};

// The visible popup-menu window of the process once there is one; null on time-out.
HWND WaitForPopupMenu(DWORD processId, Millis timeout = kDefaultTimeout);
// True when the process shows no popup menu (any more) within `timeout`.
bool WaitForNoPopupMenu(DWORD processId, Millis timeout = kDefaultTimeout);

// The items of the menu a popup-menu window shows, read inside the window's own process (a menu
// handle cannot be read from another process under Wine). nullopt when that failed.
std::optional<std::vector<PopupMenuItem>> ReadPopupMenu(HWND menuWindow);

std::vector<std::string> Captions(const std::vector<PopupMenuItem>& items);

// Moves through a popup menu with the keyboard the way a user does: Down from no selection
// selects the first item, so `index` + 1 presses reach item `index`; Return chooses it.
[[nodiscard]] bool ChooseByKeyboard(HWND menuWindow, int index);

}  // namespace qb::e2e
