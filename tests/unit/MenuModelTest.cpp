#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "common/Text.h"

namespace {

using qb::MainMenu;
using qb::MenuItem;

std::vector<std::string> Captions(const MainMenu& menu) {
  std::vector<std::string> captions;
  for (const auto& entry : menu.VisibleEntries()) captions.push_back(entry.caption);
  return captions;
}

std::vector<MenuItem> Items(const MainMenu& menu) {
  std::vector<MenuItem> items;
  for (const auto& entry : menu.VisibleEntries()) items.push_back(entry.item);
  return items;
}

const std::vector<std::string> kFixedCaptions = {
    "何でもｵｰﾌﾟﾝ", "ｽﾄｯﾌﾟｳｫｯﾁ", "色選択",     "PC終了ﾎﾞﾀﾝ",     "ﾒﾓﾘ状況",   "ｱﾅﾛｸﾞ時計",   "ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞ",
    "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ", "ｱｲｺﾝﾃｷｽﾄ透明化", "初期設定", "ﾊﾞｰｼﾞｮﾝ情報", "Quorbellの終了",
};

TEST(MainMenu, StartsWithFifteenItemsInOrderAndBlankSlotCaptions) {
  const MainMenu menu;
  std::vector<std::string> expected = {" ", " ", " "};
  expected.insert(expected.end(), kFixedCaptions.begin(), kFixedCaptions.end());
  EXPECT_EQ(Captions(menu), expected);
  for (const auto& entry : menu.VisibleEntries()) EXPECT_FALSE(entry.checked) << qb::RowOf(entry.item).name;
}

TEST(MainMenu, RowsAreInEnumOrderWithTheFourTrayOnlyItemsLast) {
  std::vector<std::string> trayOnly;
  for (int i = 0; i < qb::kMenuItemCount; ++i) {
    EXPECT_EQ(static_cast<int>(qb::kMenuItems[static_cast<size_t>(i)].item), i);
    if (qb::kMenuItems[static_cast<size_t>(i)].trayOnly) trayOnly.emplace_back(qb::kMenuItems[static_cast<size_t>(i)].name);
  }
  EXPECT_EQ(trayOnly, (std::vector<std::string>{"mnuICON", "mnuSetting", "mnuVer", "mnuEnd"}));
}

TEST(MainMenu, HotkeyMenuHidesTheTrayOnlyItemsAndARightClickBringsThemBack) {
  MainMenu menu;
  menu.HideTrayOnlyItems();
  const std::vector<MenuItem> reduced = Items(menu);
  ASSERT_EQ(reduced.size(), 11u);
  EXPECT_EQ(reduced.back(), MenuItem::mnuMemo);
  for (MenuItem item : {MenuItem::mnuICON, MenuItem::mnuSetting, MenuItem::mnuVer, MenuItem::mnuEnd})
    EXPECT_FALSE(menu.Visible(item));
  menu.ShowTrayOnlyItems();
  EXPECT_EQ(Items(menu).size(), 15u);
  EXPECT_EQ(Items(menu).back(), MenuItem::mnuEnd);
}

TEST(MainMenu, MarkClipSlotMovesTheOneCheckMarkAndHidesTheTrayOnlyItems) {
  const struct {
    int n;
    std::set<MenuItem> checked;
  } cases[] = {
      {1, {MenuItem::mnu1}}, {2, {MenuItem::mnu2}}, {3, {MenuItem::mnu3}}, {0, {}}, {4, {}}, {-1, {}},
  };
  for (const auto& c : cases) {
    MainMenu menu;
    menu.MarkClipSlot(3);  // a mark from before must go whatever n is
    menu.ShowTrayOnlyItems();
    menu.MarkClipSlot(c.n);
    std::set<MenuItem> checked;
    for (const auto& entry : menu.VisibleEntries())
      if (entry.checked) checked.insert(entry.item);
    EXPECT_EQ(checked, c.checked) << "n=" << c.n;
    EXPECT_FALSE(menu.Visible(MenuItem::mnuEnd)) << "n=" << c.n;
    EXPECT_EQ(menu.VisibleEntries().size(), 11u) << "n=" << c.n;
  }
}

TEST(MainMenu, ShowingTheTrayOnlyItemsKeepsTheCheckMark) {
  MainMenu menu;
  menu.MarkClipSlot(2);
  menu.ShowTrayOnlyItems();
  EXPECT_TRUE(menu.Checked(MenuItem::mnu2));
  EXPECT_FALSE(menu.Checked(MenuItem::mnu1));
  EXPECT_FALSE(menu.Checked(MenuItem::mnuEnd));
}

TEST(SlotCaption, IsTheFirstTwentyCodePoints) {
  const struct {
    std::string text;
    std::string caption;
  } cases[] = {
      {"", ""},
      {"short", "short"},
      {"12345678901234567890", "12345678901234567890"},
      {"123456789012345678901234567890", "12345678901234567890"},
      // Japanese characters count as one each, whatever their UTF-8 length.
      {"あいうえおかきくけこさしすせそたちつてとなにぬねの", "あいうえおかきくけこさしすせそたちつてと"},
      {"ﾃﾞｽｸﾄｯﾌﾟﾒﾓﾃﾞｽｸﾄｯﾌﾟﾒﾓﾃﾞｽｸ", "ﾃﾞｽｸﾄｯﾌﾟﾒﾓﾃﾞｽｸﾄｯﾌﾟﾒﾓ"},
      // A character outside the BMP (a surrogate pair in UTF-16) is still one character.
      {"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀", "😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀"},
      // Live slot texts keep their line breaks and tabs as characters.
      {"line1\r\nline2\tcolumn 12345678", "line1\r\nline2\tcolumn "},
      {"[画像]", "[画像]"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::SlotCaption(c.text), c.caption) << c.text;
}

TEST(SlotCaption, MalformedTextNeverGivesMoreThanTwentyCharacters) {
  const std::string broken = std::string(30, '\xE3') + "abc";
  EXPECT_LE(qb::CountCodePoints(qb::SlotCaption(broken)), qb::kSlotCaptionLength);
}

TEST(MainMenu, SlotCaptionsGoToTheirOwnItemOnly) {
  MainMenu menu;
  menu.SetSlotCaption(2, "second slot text that is long");
  menu.SetSlotCaption(0, "ignored");
  menu.SetSlotCaption(4, "ignored");
  EXPECT_EQ(menu.Caption(MenuItem::mnu1), " ");
  EXPECT_EQ(menu.Caption(MenuItem::mnu2), "second slot text tha");
  EXPECT_EQ(menu.Caption(MenuItem::mnu3), " ");
  EXPECT_EQ(menu.Caption(MenuItem::mnuEnd), "Quorbellの終了");
  menu.SetSlotCaption(2, "");
  EXPECT_EQ(menu.Caption(MenuItem::mnu2), "");
}

TEST(MenuCommandId, RoundTripsForEveryItemAndRejectsOtherIds) {
  std::set<uint16_t> ids;
  for (const auto& row : qb::kMenuItems) {
    const uint16_t id = qb::MenuCommandId(row.item);
    EXPECT_NE(id, 0) << row.name;  // TrackPopupMenu answers 0 for "nothing chosen"
    EXPECT_EQ(qb::MenuItemFromCommand(id), row.item) << row.name;
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 15u);
  EXPECT_FALSE(qb::MenuItemFromCommand(0));
  EXPECT_FALSE(qb::MenuItemFromCommand(*ids.begin() - 1u));
  EXPECT_FALSE(qb::MenuItemFromCommand(*ids.rbegin() + 1u));
  EXPECT_FALSE(qb::MenuItemFromCommand(0xFFFFFFFFu));
}

TEST(SlotItem, MapsSlotsOneToThreeBothWays) {
  for (int n = 1; n <= 3; ++n) {
    ASSERT_TRUE(qb::SlotItem(n));
    EXPECT_EQ(qb::SlotOfItem(*qb::SlotItem(n)), n);
  }
  EXPECT_FALSE(qb::SlotItem(0));
  EXPECT_FALSE(qb::SlotItem(4));
  EXPECT_FALSE(qb::SlotOfItem(MenuItem::mnuOpen));
  EXPECT_FALSE(qb::SlotOfItem(MenuItem::mnuEnd));
}

TEST(TrayCallbackDecoder, EachSingleEventAloneAsksForItsAction) {
  const struct {
    int32_t message;
    qb::TrayRequest request;
  } cases[] = {
      {0x203, qb::TrayRequest::OpenSettings},    // WM_LBUTTONDBLCLK
      {0x204, qb::TrayRequest::OpenMenu},        // WM_RBUTTONDOWN
      {0x7B, qb::TrayRequest::OpenMenuAtIcon},   // WM_CONTEXTMENU: Shift+F10 or the menu key
      {0x401, qb::TrayRequest::OpenMenuAtIcon},  // NIN_KEYSELECT: Enter or Space
      {0x200, qb::TrayRequest::None},            // move
      {0x201, qb::TrayRequest::None},            // left press
      {0x202, qb::TrayRequest::None},            // left release
      {0x205, qb::TrayRequest::None},            // right release
      {0x206, qb::TrayRequest::None},            // right double-click
      {0x207, qb::TrayRequest::None},            // middle press
      {0x400, qb::TrayRequest::None},            // NIN_SELECT: a left click
      {0x402, qb::TrayRequest::None},            // NIN_BALLOONSHOW
      {0x406, qb::TrayRequest::None},            // NIN_POPUPOPEN
      {0, qb::TrayRequest::None},
      {-0x204, qb::TrayRequest::None},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::TrayCallbackDecoder().Decode(c.message), c.request) << std::hex << c.message;
}

// Under the newer protocol a right click reports press, release and a context-menu request: the
// menu opens once, at the press. A context-menu request that follows anything else is the keyboard's.
TEST(TrayCallbackDecoder, RightClickOpensTheMenuOnceAndTheKeyboardStillOpensItAfterwards) {
  using R = qb::TrayRequest;
  const struct {
    const char* name;
    std::vector<int32_t> events;
    std::vector<R> requests;
  } cases[] = {
      {"right click, newer protocol", {0x204, 0x205, 0x7B}, {R::OpenMenu, R::None, R::None}},
      {"right click with moves", {0x200, 0x204, 0x200, 0x205, 0x200, 0x7B}, {R::None, R::OpenMenu, R::None, R::None, R::None, R::None}},
      {"right click, original protocol", {0x204, 0x205}, {R::OpenMenu, R::None}},
      {"two right clicks", {0x204, 0x205, 0x7B, 0x204, 0x205, 0x7B}, {R::OpenMenu, R::None, R::None, R::OpenMenu, R::None, R::None}},
      {"menu key after a right click", {0x204, 0x205, 0x7B, 0x7B}, {R::OpenMenu, R::None, R::None, R::OpenMenuAtIcon}},
      {"menu key after a left click", {0x201, 0x202, 0x400, 0x7B}, {R::None, R::None, R::None, R::OpenMenuAtIcon}},
      {"Enter after a right release", {0x205, 0x401}, {R::None, R::OpenMenuAtIcon}},
      {"menu key twice", {0x7B, 0x7B}, {R::OpenMenuAtIcon, R::OpenMenuAtIcon}},
      {"double-click after a right release", {0x205, 0x203}, {R::None, R::OpenSettings}},
  };
  for (const auto& c : cases) {
    qb::TrayCallbackDecoder decoder;
    std::vector<R> got;
    for (const int32_t event : c.events) got.push_back(decoder.Decode(event));
    EXPECT_EQ(got, c.requests) << c.name;
  }
}

TEST(PopmenuActionFor, ModeZeroShowsOneStartsTheLauncherOthersOnlyRecord) {
  EXPECT_EQ(qb::PopmenuActionFor(0), qb::PopmenuAction::ShowMenu);
  EXPECT_EQ(qb::PopmenuActionFor(1), qb::PopmenuAction::StartLauncher);
  for (int16_t mode : {-1, 2, 99, 32767, -32768}) EXPECT_EQ(qb::PopmenuActionFor(mode), qb::PopmenuAction::RecordOnly) << mode;
}

}  // namespace
