#pragma once
// The popup menu trayMenu_ of the hidden main window as plain state: its fifteen items with their
// captions, which of them are shown, and which clipboard slot carries the check mark. The Windows
// menu is built from this each time it opens, so everything the user can see in it is decided here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// In menu order.
enum class MenuItem : uint8_t {
  mnu1,
  mnu2,
  mnu3,
  mnuOpen,
  stopWatch,
  colorChoose,
  shutdown,
  cmdMemDiet,
  mnuClock,
  mnuDeskCal,
  mnuMemo,
  mnuICON,
  mnuSetting,
  mnuVer,
  mnuEnd,
};
inline constexpr int kMenuItemCount = 15;

struct MenuItemRow {
  MenuItem item;
  std::string_view name;
  std::string_view caption;  // fixed caption; empty for the slot items, whose caption is the slot text
  bool trayOnly;             // shown only when the menu is opened from the tray icon
};

// The rows in menu order: kMenuItems[i].item == MenuItem(i).
extern const std::array<MenuItemRow, kMenuItemCount> kMenuItems;
const MenuItemRow& RowOf(MenuItem item);

// The command id of an item in the Windows menu, and back (nothing for an id of no item).
uint16_t MenuCommandId(MenuItem item);
std::optional<MenuItem> MenuItemFromCommand(uint32_t id);

// The slot item of clipboard slot n (1..3), and the slot of a slot item.
std::optional<MenuItem> SlotItem(int n);
std::optional<int> SlotOfItem(MenuItem item);

// A slot item shows at most this many characters (code points) of its slot's text.
inline constexpr std::size_t kSlotCaptionLength = 20;
std::string SlotCaption(std::string_view slotText);

class MainMenu {
public:
  struct Entry {
    MenuItem item;
    std::string caption;
    bool checked;
  };

  // As the form starts: slot captions one blank, every item visible, no check mark.
  MainMenu();

  // Slot n (1..3) gets the caption made from its text; other n are ignored.
  void SetSlotCaption(int n, std::string_view slotText);
  void ShowTrayOnlyItems();
  void HideTrayOnlyItems();
  // Hides the tray-only items and moves the check mark to slot n's item (none for other n).
  void MarkClipSlot(int n);

  [[nodiscard]] const std::string& Caption(MenuItem item) const;
  [[nodiscard]] bool Visible(MenuItem item) const;
  [[nodiscard]] bool Checked(MenuItem item) const;
  // The items the menu shows, in order.
  [[nodiscard]] std::vector<Entry> VisibleEntries() const;

private:
  std::array<std::string, kMenuItemCount> captions_;
  bool trayOnlyVisible_ = true;
  int checkedSlot_ = 0;  // 0: none
};

// What a notification from the tray icon asks for: the menu at the pointer (a mouse press) or at
// the icon (the keyboard: Enter, Space, Shift+F10 or the menu key on the focused icon).
enum class TrayRequest { None, OpenSettings, OpenMenu, OpenMenuAtIcon };

// Reads the icon's notifications one after another. The shell reports a mouse message, or under
// the newer notify-icon protocol also its own events: a click's selection, Enter or Space on the
// focused icon, and a context-menu request, which comes from the keyboard or as the tail of a right
// click (press, release, context menu). The menu opens at the press, as it always has; the
// context-menu event that closes the same click must not open it a second time.
class TrayCallbackDecoder {
public:
  TrayRequest Decode(int32_t event);

private:
  bool afterRightRelease_ = false;
};

// What Popmenu does besides recording the target window.
enum class PopmenuAction { RecordOnly, ShowMenu, StartLauncher };
PopmenuAction PopmenuActionFor(int16_t mode);

}  // namespace qb
