// The settings dialog through the real program: opened by the tray icon's double-click and the tray
// menu, its pages and defaults, the keyboard, OK and Cancel, and what OK changes in the running
// program (slot texts and the tray menu, hotkeys, memos and calendar, mouse warp). Every page is
// saved as a picture under build/ for a person to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "HotkeyDefaults.h"
#include "SettingsDialogSupport.h"

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

}  // namespace
}  // namespace qb::e2e
