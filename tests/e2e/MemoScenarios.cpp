// The desktop memos, driven through the real program: stored memos brought back at start-up with
// their places, texts, colours and regions; new memos from the tray menu and their numbers; typed
// text stored on focus loss and while typing, surviving a killed process and a restart; the
// memo's menu with "閉じる" and the colour and font pickers; a memo stored off every monitor.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HotkeySupport.h"
#include "app/MenuModel.h"
#include "harness/CommonDialogs.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "memo/MemoRecord.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kMemoClass[] = L"Quorbell.MemoWindow";
constexpr COLORREF kPaleYellow = 5373951;  // the common memo background
constexpr char kLimitMessage[] = "ﾒﾓは最大10個迄です.";
// The memo menu: フォント変更, 文字色変更, 背景色変更, 閉じる.
constexpr int kFontItem = 0;
constexpr int kBackColourItem = 2;
constexpr int kCloseItem = 3;

class Memos : public ResidentScenario {
protected:
  WindowFilter MemoFilter() const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kMemoClass);
    return filter;
  }
  std::vector<HWND> OpenMemos() const { return TopLevelWindows(MemoFilter()); }
  bool WaitForMemoCount(size_t count) const {
    return WaitUntil([&] { return OpenMemos().size() == count; });
  }

  // The tray menu's "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ", chosen with the keyboard; answers the memo that appeared.
  HWND NewMemoFromTray(HWND main) {
    const std::vector<HWND> before = OpenMemos();
    EXPECT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));
    const HWND menu = WaitForPopupMenu(app.Id());
    if (!menu) return nullptr;
    EXPECT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuMemo)));
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND w : OpenMemos()) {
        if (std::find(before.begin(), before.end(), w) == before.end()) found = w;
      }
      return found != nullptr;
    });
    return found;
  }
  // The same command as the tray item, posted to the main window.
  bool PostNewMemo(HWND main) {
    return Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(MenuItem::mnuMemo), 0), 0);
  }

  static HWND TextBox(HWND memo) { return FindChild(memo, L"Edit", std::nullopt); }

  // Types into the memo, then moves the focus to the desktop's other window, which stores it.
  static bool TypeInto(HWND memo, std::string_view text) {
    return ClickAt(TextBox(memo), {30, 30}) && TypeText(text) &&
           WaitUntil([&] { return WindowText(TextBox(memo)).find(text) != std::string::npos; });
  }

  // The memo's menu (a double-click in its text) and the item at `index`, chosen with the keyboard.
  bool ChooseFromMemoMenu(HWND memo, int index) {
    // A click of an earlier double-click must not pair with the first click of this one.
    Sleep(GetDoubleClickTime() + 50);
    if (!ClickAt(TextBox(memo), {40, 40}, MouseButton::Left, 2)) return false;
    const HWND menu = WaitForPopupMenu(app.Id());
    if (!menu) return false;
    const auto items = ReadPopupMenu(menu);
    EXPECT_TRUE(items);
    if (items) {
      EXPECT_EQ(Captions(*items), (std::vector<std::string>{"フォント変更", "文字色変更", "背景色変更", "閉じる"}));
    }
    return ChooseByKeyboard(menu, index);
  }

  // A stored memo's number, from the key that holds `text`.
  static int NumberHolding(const AppFolder& folder, const std::string& text) {
    for (int n = 0; n <= 10; ++n) {
      if (folder.ReadSetting("DESKTOPMEMO", "MEMO" + std::to_string(n)) == text) return n;
    }
    return -1;
  }

  static COLORREF MiddleColour(HWND memo) {
    const ScreenImage shot = CaptureWindow(memo);
    return shot.At(shot.width - 6, shot.height - 6);  // inside the rim, below any text
  }

  void SaveScreenshot(HWND window, const wchar_t* name) {
    EXPECT_TRUE(SaveBitmap(CaptureWindow(window), PathJoin(ExeDirectory(), name)));
  }
};

TEST_F(Memos, StoredMemosComeBackAtTheirPlacesAndNewOnesTakeTheFreeNumbers) {
  AppFolder folder(Ini::Text(
      "[DESKTOPMEMO]\r\n"
      "MEMO3=買い物@@牛乳\r\nTOP3=1500\r\nLEFT3=3000\r\nWIDTH3=3000\r\nHEIGHT3=1500\r\n"
      "MEMO7=会議は 10 時\r\nTOP7=4500\r\nLEFT7=7500\r\nWIDTH7=3600\r\nHEIGHT7=2250\r\n"
      "BKCOLOR7=16764108\r\nFRCOLOR7=128\r\n"
      "[MemoFont7]\r\nName=IPAMincho\r\nSize=14\r\nBold=True\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForMemoCount(2));
  HWND three = nullptr;
  HWND seven = nullptr;
  for (HWND memo : OpenMemos()) {
    const std::string text = WindowText(TextBox(memo));
    if (text == "買い物\r\n牛乳") three = memo;
    if (text == "会議は 10 時") seven = memo;
  }
  ASSERT_TRUE(three && seven);
  const RECT r3 = WindowRect(three);
  EXPECT_EQ(r3.left, 200);
  EXPECT_EQ(r3.top, 100);
  EXPECT_EQ(r3.right - r3.left, 200);
  EXPECT_EQ(r3.bottom - r3.top, 100);
  EXPECT_EQ(WindowRect(seven).left, 500);
  // The region leaves a rim of one pixel around the text.
  const RegionInfo region = WindowRegion(three);
  const RECT client = ClientRectOnScreen(three);
  EXPECT_EQ(region.type, SIMPLEREGION);
  EXPECT_EQ(region.box.left, client.left - r3.left - 1);
  EXPECT_EQ(region.box.right, client.right - r3.left + 1);
  EXPECT_TRUE(ExStyle(three) & WS_EX_TOOLWINDOW) << "a memo has no taskbar button";
  EXPECT_TRUE(WaitUntil([&] { return SameColour(MiddleColour(three), kPaleYellow, 8); }));
  EXPECT_TRUE(WaitUntil([&] { return SameColour(MiddleColour(seven), 16764108, 8); }));
  SaveScreenshot(three, L"memo-common-style.bmp");
  SaveScreenshot(seven, L"memo-own-style.bmp");

  // New memos take 0, then 1; then numbers up to 10 skipping 3 and 7; the twelfth is refused.
  HWND first = NewMemoFromTray(main);
  ASSERT_TRUE(first);
  ASSERT_TRUE(TypeInto(first, "零番"));
  ASSERT_TRUE(BringToFront(three));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO0") == "零番"; }));
  HWND second = NewMemoFromTray(main);
  ASSERT_TRUE(second);
  EXPECT_NE(WindowRect(first).left, WindowRect(second).left) << "new memos are cascaded";
  ASSERT_TRUE(TypeInto(second, "一番"));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO1") == "一番"; }));
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(PostNewMemo(main));
  ASSERT_TRUE(WaitForMemoCount(11));
  ASSERT_TRUE(PostNewMemo(main));
  const auto box = WaitForMessageBox(app.Id());
  ASSERT_TRUE(box) << "no limit message";
  EXPECT_EQ(box->text, kLimitMessage);
  ASSERT_TRUE(PressButton(box->hwnd, "OK"));
  EXPECT_EQ(OpenMemos().size(), 11u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Memos, TypedTextIsStoredOnFocusLossWhileTypingAndSurvivesAKillAndARestart) {
  const std::string longText(6000, 'L');
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO5=" + longText + "@@終わり\r\nTOP5=3000\r\nLEFT5=3000\r\n"));
  {
    HWND main = Start(folder);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForMemoCount(1));
    HWND memo = NewMemoFromTray(main);
    ASSERT_TRUE(memo);
    ASSERT_TRUE(TypeInto(memo, "消えない"));
    // No focus change: the memo stores itself about a second after the typing stops.
    EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO0") == "消えない"; }, 5s));
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    ASSERT_TRUE(TypeText("絵文字🎍"));
    Sleep(2000);
    app.Kill();
    // A killed program cannot give its global atoms back; later scenarios expect none.
    for (const std::wstring& name : HotkeyAtomNames()) {
      while (const ATOM atom = GlobalFindAtomW(name.c_str())) {
        if (GlobalDeleteAtom(atom) != 0) break;
      }
    }
  }
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "MEMO0"), "消えない@@絵文字🎍");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "MEMO5"), longText + "@@終わり");

  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForMemoCount(2));
  std::vector<std::string> texts;
  for (HWND memo : OpenMemos()) texts.push_back(WindowText(TextBox(memo)));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{longText + "\r\n終わり", "消えない\r\n絵文字🎍"}));
  // Moving the focus away stores the place as well, in twips.
  HWND memo = OpenMemos()[0];
  ASSERT_TRUE(ClickAt(TextBox(memo), {10, 10}));
  ASSERT_TRUE(BringToFront(OpenMemos()[1]));
  const int n = NumberHolding(folder, EncodeMemoText(WindowText(TextBox(memo))));
  ASSERT_GE(n, 0);
  const RECT r = WindowRect(memo);
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "LEFT" + std::to_string(n)), std::to_string(r.left * 15));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "WIDTH" + std::to_string(n)), std::to_string((r.right - r.left) * 15));

  // Typed just before the program ends: the end stores it. (A click at another point: two clicks
  // at one point this soon would be the double-click that opens the memo's menu.)
  ASSERT_TRUE(ClickAt(TextBox(memo), {60, 30}));
  // The keys go to the window in front: wait until the memo is there, not only focused within its
  // own program.
  ASSERT_TRUE(WaitUntil([&] {
    return GetForegroundWindow() == memo && FocusOf(memo) == TextBox(memo) && !WaitForPopupMenu(app.Id(), 0ms);
  })) << "the memo did not come to the front with its text box focused";
  const auto length = Send(TextBox(memo), WM_GETTEXTLENGTH);
  ASSERT_TRUE(length);
  ASSERT_TRUE(Send(TextBox(memo), EM_SETSEL, static_cast<WPARAM>(*length), static_cast<LPARAM>(*length)));
  ASSERT_TRUE(TypeText("!"));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(TextBox(memo)).ends_with("!"); }));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(folder.ReadSetting("DESKTOPMEMO", "MEMO" + std::to_string(n)).ends_with("!"));
}

TEST_F(Memos, CloseItemEmptiesTheMemoButKeepsItsColourForTheNextMemoOfThatNumber) {
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO0=捨てる\r\nBKCOLOR0=16764108\r\nMEMO1=残す\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForMemoCount(2));
  HWND zero = nullptr;
  for (HWND memo : OpenMemos()) {
    if (WindowText(TextBox(memo)) == "捨てる") zero = memo;
  }
  ASSERT_TRUE(zero);
  ASSERT_TRUE(ChooseFromMemoMenu(zero, kCloseItem));
  EXPECT_TRUE(WaitForMemoCount(1));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO0", "?") == ""; }));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "BKCOLOR0"), "16764108");
  HWND again = NewMemoFromTray(main);
  ASSERT_TRUE(again);
  EXPECT_TRUE(WaitUntil([&] { return SameColour(MiddleColour(again), 16764108, 8); }))
      << "the new memo of number 0 has its colour";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Memos, AMemoClosedByACloseRequestKeepsItsTextAndItsNumber) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND memo = NewMemoFromTray(main);
  ASSERT_TRUE(memo);
  ASSERT_TRUE(TypeInto(memo, "閉じても残る"));
  ASSERT_TRUE(PostClose(memo));
  EXPECT_TRUE(WaitForMemoCount(0));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "MEMO0"), "閉じても残る");
  HWND next = NewMemoFromTray(main);
  ASSERT_TRUE(next);
  ASSERT_TRUE(TypeInto(next, "別の番号"));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO1") == "別の番号"; }, 5s));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "MEMO0"), "閉じても残る");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Memos, AMemoStoredOffEveryMonitorOpensOnTheScreenAndKeepsItsStoredPlace) {
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO2=どこ?\r\nTOP2=-90000\r\nLEFT2=150000\r\nWIDTH2=3000\r\nHEIGHT2=1500\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForMemoCount(1));
  HWND memo = OpenMemos()[0];
  const RECT r = WindowRect(memo);
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  // Stored again without being moved: the stored place stays.
  ASSERT_TRUE(TypeInto(memo, "!"));
  ASSERT_TRUE(PostClose(memo));
  ASSERT_TRUE(WaitForMemoCount(0));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "LEFT2"), "150000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "TOP2"), "-90000");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Memos, ColourAndFontPickersFromTheMemoMenu) {
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO4=色\r\nTOP4=3000\r\nLEFT4=4500\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForMemoCount(1));
  HWND memo = OpenMemos()[0];

  // Cancelled: nothing written.
  ASSERT_TRUE(ChooseFromMemoMenu(memo, kBackColourItem));
  auto dialog = WaitForCommonDialog(app.Id(), kColourRedEdit);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(CancelDialog(*dialog));
  ASSERT_TRUE(WaitForNoWindow({app.Id(), L"#32770", std::nullopt, true}));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "BKCOLOR4", "(none)"), "(none)");

  // A colour chosen: stored and shown.
  ASSERT_TRUE(ChooseFromMemoMenu(memo, kBackColourItem));
  dialog = WaitForCommonDialog(app.Id(), kColourRedEdit);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ChooseColourInDialog(*dialog, RGB(200, 230, 255)));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "BKCOLOR4") == std::to_string(RGB(200, 230, 255)); }));
  EXPECT_TRUE(WaitUntil([&] { return SameColour(MiddleColour(memo), RGB(200, 230, 255), 8); }));

  // The font picker cancelled: the memo's font as it is goes into its own keys.
  ASSERT_TRUE(ChooseFromMemoMenu(memo, kFontItem));
  dialog = WaitForCommonDialog(app.Id(), kFontFaceCombo);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(CancelDialog(*dialog));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("MemoFont4", "Name") == "ＭＳ ゴシック"; }));
  EXPECT_EQ(folder.ReadSetting("MemoFont4", "Size"), "10");
  EXPECT_EQ(folder.ReadSetting("MemoFont4", "Italic"), "False");
  EXPECT_EQ(folder.ReadSetting("MemoFont4", "Bold"), "False");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
