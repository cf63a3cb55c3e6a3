#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "app/PopupMenu.h"
#include "platform/WinText.h"

namespace {

using qb::MainMenu;
using qb::MenuItem;

struct ShownItem {
  std::string label;  // as the menu holds it ('&' still doubled)
  UINT id;
  bool checked;
  bool separator;
};

std::vector<ShownItem> ReadMenu(HMENU menu) {
  std::vector<ShownItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = 127;
    EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) << i;
    items.push_back({qb::Narrow(text), info.wID, (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_SEPARATOR) != 0});
  }
  return items;
}

std::vector<std::string> Labels(const std::vector<ShownItem>& items) {
  std::vector<std::string> labels;
  for (const auto& item : items) labels.push_back(item.label);
  return labels;
}

TEST(BuildPopupMenu, HoldsTheFifteenCaptionsInOrderWithTheirIds) {
  MainMenu model;
  model.SetSlotCaption(1, "slot one");
  model.SetSlotCaption(2, "二番目のスロット");
  model.SetSlotCaption(3, "x");
  const qb::UniqueMenu menu = qb::BuildPopupMenu(model);
  ASSERT_TRUE(menu);
  const auto items = ReadMenu(menu.get());
  EXPECT_EQ(Labels(items),
            (std::vector<std::string>{"slot one", "二番目のスロット", "x", "何でもｵｰﾌﾟﾝ", "ｽﾄｯﾌﾟｳｫｯﾁ", "色選択", "PC終了ﾎﾞﾀﾝ",
                                      "ﾒﾓﾘ状況", "ｱﾅﾛｸﾞ時計", "ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞ", "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ", "ｱｲｺﾝﾃｷｽﾄ透明化", "初期設定",
                                      "ﾊﾞｰｼﾞｮﾝ情報", "Quorbellの終了"}));
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(qb::MenuItemFromCommand(items[i].id), qb::kMenuItems[i].item) << i;
    EXPECT_FALSE(items[i].checked) << i;
    EXPECT_FALSE(items[i].separator) << i;
  }
}

TEST(BuildPopupMenu, HotkeyMenuLeavesOutTheTrayOnlyItemsAndShowsTheCheckMark) {
  MainMenu model;
  model.MarkClipSlot(2);
  const qb::UniqueMenu menu = qb::BuildPopupMenu(model);
  ASSERT_TRUE(menu);
  const auto items = ReadMenu(menu.get());
  ASSERT_EQ(items.size(), 11u);
  EXPECT_EQ(items.back().label, "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ");
  EXPECT_EQ(items.back().id, qb::MenuCommandId(MenuItem::mnuMemo));
  EXPECT_FALSE(items[0].checked);
  EXPECT_TRUE(items[1].checked);
  EXPECT_FALSE(items[2].checked);
}

TEST(BuildPopupMenu, SlotTextsShowAsTheyAreAndAnEmptySlotIsNoSeparator) {
  MainMenu model;
  model.SetSlotCaption(1, "Tom & Jerry");
  model.SetSlotCaption(2, "");
  model.SetSlotCaption(3, "&&&");
  const qb::UniqueMenu menu = qb::BuildPopupMenu(model);
  ASSERT_TRUE(menu);
  const auto items = ReadMenu(menu.get());
  ASSERT_EQ(items.size(), 15u);
  EXPECT_EQ(items[0].label, "Tom && Jerry");  // drawn as "Tom & Jerry"
  EXPECT_EQ(items[1].label, "");
  EXPECT_FALSE(items[1].separator);
  EXPECT_EQ(items[1].id, qb::MenuCommandId(MenuItem::mnu2));
  EXPECT_EQ(items[2].label, "&&&&&&");
}

TEST(MenuLabel, DoublesEveryAmpersandAndNothingElse) {
  EXPECT_EQ(qb::MenuLabel(""), L"");
  EXPECT_EQ(qb::MenuLabel("plain"), L"plain");
  EXPECT_EQ(qb::MenuLabel("a&b"), L"a&&b");
  EXPECT_EQ(qb::MenuLabel("&"), L"&&");
  EXPECT_EQ(qb::MenuLabel("日本&語"), L"日本&&語");
  EXPECT_EQ(qb::MenuLabel("tab\there"), L"tab\there");
}

}  // namespace
