// The settings dialog through the real program: opened by the tray icon's double-click and the tray
// menu, its pages and defaults, the keyboard, OK and Cancel, and what OK changes in the running
// program (slot texts and the tray menu, hotkeys, memos and calendar, mouse warp). Every page is
// saved as a picture under build/ for a person to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "HotkeyDefaults.h"
#include "HotkeySupport.h"
#include "SettingsDialogSupport.h"
#include "harness/ProbeTarget.h"

namespace qb::e2e {
namespace {

TEST_F(SettingsDialogScenario, FirstShowHoldsTheDefaultsOnFifteenPages) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog) << "no settings dialog after a double-click on the icon";
  EXPECT_EQ(WindowText(dialog), "設定");
  const std::vector<std::string> tabs = {"ｸﾘｯﾌﾟ操作", "自動操作", "ﾗﾝﾁｬ", "ｶﾚﾝﾀﾞ", "ｱｲｺﾝﾃｷｽﾄ", "ｽｸﾘｰﾝｺﾋﾟｰ",
                                         "ﾒﾓ", "ｳｲﾝﾄﾞｳｼｪｰﾄﾞ", "ｳｲﾝﾄﾞｳ透明化", "辞書検索", "CD操作",
                                         "壁紙ﾁｪﾝｼﾞｬ", "ｱﾅﾛｸﾞ時計", "ﾒﾓﾘ状況", "ﾏｳｽﾜｰﾌﾟ"};
  EXPECT_EQ(TabCaptions(dialog), tabs);
  EXPECT_EQ(SelectedTab(dialog), 0);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "OK");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), "ｷｬﾝｾﾙ");

  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAutoDietPercent)), "64");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kCalendarFontName)), "ＭＳ ゴシック");
  EXPECT_TRUE(Ticked(DialogControl(dialog, ctl::kCalendarFontBold)));
  EXPECT_TRUE(Ticked(DialogControl(dialog, ctl::kCalendarFontItalic)));
  EXPECT_TRUE(Ticked(DialogControl(dialog, ctl::kCapturePrints)));
  EXPECT_FALSE(Ticked(DialogControl(dialog, ctl::kCaptureToFile)));
  EXPECT_EQ(ListIndex(DialogControl(dialog, ctl::kModifierList)), 1) << "copy slot 1: CTRL";
  EXPECT_EQ(ListIndex(DialogControl(dialog, ctl::kKeyList + 8)), 8) << "macro 3: NUM9";
  EXPECT_FALSE(IsWindowEnabled(DialogControl(dialog, ctl::kAutoDietSeconds))) << "automatic diet is off";
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kHotkeyStatus)), "") << "copy slot 1 is registered";

  // Every page in turn with Ctrl+PageDown, saved as a picture; only the page in front is visible.
  for (int page = 0; page < kSettingsPageCount; ++page) {
    ASSERT_TRUE(GoToPage(dialog, page)) << "page " << page;
    const auto placed = FindControl(ctl::kMouseWarp);
    ASSERT_TRUE(placed);
    EXPECT_EQ(IsWindowVisible(DialogControl(dialog, ctl::kMouseWarp)) != FALSE, page == placed->page) << page;
    Sleep(200);  // the page has painted
    wchar_t name[40];
    swprintf(name, 40, L"settings-page-%02d.bmp", page);
    EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), name)));
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}


// The focus of the dialog's thread, as a control id (0 when none).
int FocusedId(HWND dialog) {
  const HWND focus = FocusOf(dialog);
  return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

// Presses the keys and waits until the focus has moved (or the time is up).
bool PressAndWaitForFocusChange(HWND dialog, std::initializer_list<WORD> keys) {
  const HWND before = FocusOf(dialog);
  if (!PressKeys(keys)) return false;
  return WaitUntil([&] { return FocusOf(dialog) != before; });
}

TEST_F(SettingsDialogScenario, KeyboardMovesThroughThePageInFrontAndBetweenPages) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenFromMenu(main);
  ASSERT_TRUE(dialog) << "no settings dialog after 初期設定";
  ASSERT_TRUE(BringToFront(dialog));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == TabStrip(dialog); })) << "the strip has the focus at first";

  // Tab runs through the page in front, then OK and Cancel, and back to the strip.
  std::vector<int> visited;
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(PressAndWaitForFocusChange(dialog, {VK_TAB})) << "after " << visited.size() << " presses";
    visited.push_back(FocusedId(dialog));
    if (visited.back() == kTabStripId) break;
  }
  const std::vector<int> expected = {ctl::kModifierList,     ctl::kKeyList,         ctl::kModifierList + 1,
                                     ctl::kKeyList + 1,     ctl::kModifierList + 2, ctl::kKeyList + 2,
                                     ctl::kModifierList + 3, ctl::kKeyList + 3,     ctl::kModifierList + 4,
                                     ctl::kKeyList + 4,     ctl::kModifierList + 5, ctl::kKeyList + 5,
                                     ctl::kSlotText,        ctl::kSlotText + 1,    ctl::kSlotText + 2,
                                     IDOK,                  IDCANCEL,              kTabStripId};
  EXPECT_EQ(visited, expected);

  // Ctrl+PageDown and Ctrl+PageUp change the page; from the strip the focus stays on the strip.
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_NEXT}));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == 1; }));
  EXPECT_EQ(FocusOf(dialog), TabStrip(dialog));
  ASSERT_TRUE(PressAndWaitForFocusChange(dialog, {VK_TAB}));
  EXPECT_EQ(FocusedId(dialog), ctl::kMacroText) << "Tab goes into the new page";

  // In a macro box Ctrl+Tab is a tab and Enter a line break; the page and the dialog stay.
  ASSERT_TRUE(TypeText("a"));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_TAB}));
  ASSERT_TRUE(TypeText("b"));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(TypeText("c"));
  HWND macro = DialogControl(dialog, ctl::kMacroText);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(macro) == "a\tb\r\nc"; })) << WindowText(macro);
  EXPECT_EQ(SelectedTab(dialog), 1);
  EXPECT_TRUE(IsWindowVisible(dialog));

  // Ctrl+PageUp works in the boxes too; a page change puts the focus on the strip, where Ctrl+Tab
  // changes the page, with Shift backwards.
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_PRIOR}));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == 0 && FocusOf(dialog) == TabStrip(dialog); }));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == 1; }));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == 0; }));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(dialog) == kSettingsPageCount - 1; })) << "round to the last page";
  EXPECT_FALSE(IsWindowVisible(DialogControl(dialog, ctl::kMacroText)));

  // Escape cancels: hidden, nothing written; shown again, the page and the edits are as they were.
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(folder.ReadSetting("PARA", "1", "<absent>"), "<absent>");
  ASSERT_EQ(OpenByDoubleClick(main), dialog) << "the same dialog comes back";
  EXPECT_EQ(SelectedTab(dialog), kSettingsPageCount - 1);
  EXPECT_EQ(WindowText(macro), "a\tb\r\nc");

  // Enter outside the boxes is OK.
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(folder.ReadSetting("PARA", "1"), "a\\tb\\nc");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(SettingsDialogScenario, TwoLinesInTheFirstSlotAreStoredJoinedAndShownInTheTrayMenu) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni + "[CLIP]\r\n3=three\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const auto before = TrayMenuCaptions(main);
  ASSERT_EQ(before.size(), 15u);
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  HWND slot = DialogControl(dialog, ctl::kSlotText);
  ASSERT_TRUE(ClickAt(slot, POINT{30, 10}));
  ASSERT_TRUE(TypeText("first line here"));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(TypeText("second line"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(slot) == "first line here\r\nsecond line"; })) << WindowText(slot);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter in the box is a line break, not OK";

  // Cancelled, the edit waits for the next show; OK then stores it.
  ASSERT_TRUE(Click(dialog, IDCANCEL));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(folder.ReadSetting("CLIP", "1", "<absent>"), "<absent>");
  ASSERT_EQ(OpenFromMenu(main), dialog);
  EXPECT_EQ(WindowText(slot), "first line here\r\nsecond line");
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));

  EXPECT_EQ(folder.ReadSetting("CLIP", "1"), "first line here\\nsecond line");
  EXPECT_EQ(folder.ReadSetting("CLIP", "2", "<absent>"), "<absent>") << "an unchanged slot is not written";
  EXPECT_EQ(folder.ReadSetting("CLIP", "3"), "three");
  const auto after = TrayMenuCaptions(main);
  ASSERT_EQ(after.size(), 15u);
  EXPECT_EQ(after[0], "first line here\\nsec") << "the first 20 characters of the stored text";
  EXPECT_EQ(after[1], before[1]);
  EXPECT_EQ(after[2], before[2]);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(SettingsDialogScenario, ANewPasteKeyFreesTheOldCombinationAndTheNewOneWorks) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni + "[CLIP]\r\n1=貼り付け\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(CombinationTaken({MOD_CONTROL, VK_NUMPAD4}));
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  // Paste slot 1 (the fourth row): SHIFT and F12, the last entries of the lists, chosen with the
  // mouse and the keyboard.
  for (int id : {ctl::kModifierList + 3, ctl::kKeyList + 3}) {
    HWND list = DialogControl(dialog, id);
    ASSERT_TRUE(ClickAt(list, POINT{10, 8}));
    ASSERT_TRUE(WaitUntil([&] { return Send(list, CB_GETDROPPEDSTATE).value_or(0) != 0; })) << id;
    ASSERT_TRUE(PressKeys({VK_END}));
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    ASSERT_TRUE(WaitUntil([&] { return Send(list, CB_GETDROPPEDSTATE).value_or(1) == 0; })) << id;
  }
  EXPECT_EQ(ListIndex(DialogControl(dialog, ctl::kModifierList + 3)), 2);
  EXPECT_EQ(ListIndex(DialogControl(dialog, ctl::kKeyList + 3)), 30);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter in an open list chooses, it does not confirm";
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));

  EXPECT_EQ(folder.ReadSetting("KEY", "4"), "30");
  EXPECT_EQ(folder.ReadSetting("CAP", "4"), "2");
  EXPECT_FALSE(CombinationTaken({MOD_CONTROL, VK_NUMPAD4})) << "the old combination is still held";
  EXPECT_TRUE(CombinationTaken({MOD_SHIFT, VK_F12}));
  ProbeTarget probe(L"notepad editmenu");
  ASSERT_TRUE(probe.Ready());
  HWND edit = FindChild(probe.Hwnd(), L"Edit", std::nullopt);
  ASSERT_TRUE(edit);
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_SHIFT, VK_F12}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "貼り付け"; })) << "text box holds: " << WindowText(edit);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
