#include "app/MenuModel.h"

#include "common/Text.h"

namespace qb {

namespace {

// Ids start away from 0 (which TrackPopupMenu answers when nothing was chosen) and from the
// IDOK-style ids below 10 that dialogs use.
constexpr uint16_t kFirstCommandId = 0x100;

// The four items the hotkey menu leaves out.
constexpr bool kTrayOnly = true;

// The events the shell reports: mouse messages (WM_MOUSEMOVE, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
// WM_RBUTTONUP), WM_CONTEXTMENU, and NIN_KEYSELECT (Enter or Space on the focused icon).
constexpr int32_t kMouseMove = 0x200;
constexpr int32_t kLeftButtonDoubleClick = 0x203;
constexpr int32_t kRightButtonDown = 0x204;
constexpr int32_t kRightButtonUp = 0x205;
constexpr int32_t kContextMenu = 0x7B;
constexpr int32_t kKeySelect = 0x401;

int Index(MenuItem item) { return static_cast<int>(item); }

}  // namespace

const std::array<MenuItemRow, kMenuItemCount> kMenuItems = {{
    {MenuItem::mnu1, "mnu1", "", !kTrayOnly},
    {MenuItem::mnu2, "mnu2", "", !kTrayOnly},
    {MenuItem::mnu3, "mnu3", "", !kTrayOnly},
    {MenuItem::mnuOpen, "mnuOpen", "何でもｵｰﾌﾟﾝ", !kTrayOnly},
    {MenuItem::stopWatch, "stopWatch", "ｽﾄｯﾌﾟｳｫｯﾁ", !kTrayOnly},
    {MenuItem::colorChoose, "colorChoose", "色選択", !kTrayOnly},
    {MenuItem::shutdown, "shutdown", "PC終了ﾎﾞﾀﾝ", !kTrayOnly},
    {MenuItem::cmdMemDiet, "cmdMemDiet", "ﾒﾓﾘ状況", !kTrayOnly},
    {MenuItem::mnuClock, "mnuClock", "ｱﾅﾛｸﾞ時計", !kTrayOnly},
    {MenuItem::mnuDeskCal, "mnuDeskCal", "ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞ", !kTrayOnly},
    {MenuItem::mnuMemo, "mnuMemo", "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ", !kTrayOnly},
    {MenuItem::mnuICON, "mnuICON", "ｱｲｺﾝﾃｷｽﾄ透明化", kTrayOnly},
    {MenuItem::mnuSetting, "mnuSetting", "初期設定", kTrayOnly},
    {MenuItem::mnuVer, "mnuVer", "ﾊﾞｰｼﾞｮﾝ情報", kTrayOnly},
    {MenuItem::mnuEnd, "mnuEnd", "Quorbellの終了", kTrayOnly},
}};

const MenuItemRow& RowOf(MenuItem item) { return kMenuItems[static_cast<size_t>(Index(item))]; }

uint16_t MenuCommandId(MenuItem item) { return static_cast<uint16_t>(kFirstCommandId + Index(item)); }

std::optional<MenuItem> MenuItemFromCommand(uint32_t id) {
  if (id < kFirstCommandId || id >= kFirstCommandId + static_cast<uint32_t>(kMenuItemCount)) return std::nullopt;
  return static_cast<MenuItem>(id - kFirstCommandId);
}

std::optional<MenuItem> SlotItem(int n) {
  if (n < 1 || n > 3) return std::nullopt;
  return static_cast<MenuItem>(Index(MenuItem::mnu1) + n - 1);
}

std::optional<int> SlotOfItem(MenuItem item) {
  const int n = Index(item) - Index(MenuItem::mnu1) + 1;
  if (n < 1 || n > 3) return std::nullopt;
  return n;
}

std::string SlotCaption(std::string_view slotText) { return FirstCodePoints(slotText, kSlotCaptionLength); }

MainMenu::MainMenu() {
  for (const MenuItemRow& row : kMenuItems) captions_[static_cast<size_t>(Index(row.item))] = row.caption;
  for (int n = 1; n <= 3; ++n) captions_[static_cast<size_t>(Index(*SlotItem(n)))] = " ";
}

void MainMenu::SetSlotCaption(int n, std::string_view slotText) {
  if (const auto item = SlotItem(n)) captions_[static_cast<size_t>(Index(*item))] = SlotCaption(slotText);
}

void MainMenu::ShowTrayOnlyItems() { trayOnlyVisible_ = true; }

void MainMenu::HideTrayOnlyItems() { trayOnlyVisible_ = false; }

void MainMenu::MarkClipSlot(int n) {
  HideTrayOnlyItems();
  checkedSlot_ = (n >= 1 && n <= 3) ? n : 0;
}

const std::string& MainMenu::Caption(MenuItem item) const { return captions_[static_cast<size_t>(Index(item))]; }

bool MainMenu::Visible(MenuItem item) const { return trayOnlyVisible_ || !RowOf(item).trayOnly; }

bool MainMenu::Checked(MenuItem item) const { return checkedSlot_ != 0 && SlotOfItem(item) == checkedSlot_; }

std::vector<MainMenu::Entry> MainMenu::VisibleEntries() const {
  std::vector<Entry> entries;
  entries.reserve(kMenuItemCount);
  for (const MenuItemRow& row : kMenuItems) {
    if (Visible(row.item)) entries.push_back({row.item, Caption(row.item), Checked(row.item)});
  }
  return entries;
}

TrayRequest TrayCallbackDecoder::Decode(int32_t event) {
  // A move between the release and its context-menu event still belongs to the same click.
  if (event == kMouseMove) return TrayRequest::None;
  const bool tailOfRightClick = afterRightRelease_;
  afterRightRelease_ = event == kRightButtonUp;
  switch (event) {
    case kLeftButtonDoubleClick:
      return TrayRequest::OpenSettings;
    case kRightButtonDown:
      return TrayRequest::OpenMenu;
    case kContextMenu:
      return tailOfRightClick ? TrayRequest::None : TrayRequest::OpenMenuAtIcon;
    case kKeySelect:
      return TrayRequest::OpenMenuAtIcon;
    default:
      return TrayRequest::None;
  }
}

PopmenuAction PopmenuActionFor(int16_t mode) {
  switch (mode) {
    case 0:
      return PopmenuAction::ShowMenu;
    case 1:
      return PopmenuAction::StartLauncher;
    default:
      return PopmenuAction::RecordOnly;
  }
}

}  // namespace qb
