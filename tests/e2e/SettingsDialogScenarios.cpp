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
#include "common/BmpFile.h"
#include "harness/DesktopWallpaper.h"
#include "harness/ProbeTarget.h"
#include "platform/WinText.h"

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

constexpr wchar_t kMemoClass[] = L"Quorbell.MemoWindow";
constexpr wchar_t kCalendarClass[] = L"Quorbell.CalendarWindow";
constexpr COLORREF kChosenMemoColour = RGB(200, 230, 255);

WindowFilter VisibleOfClass(DWORD processId, const wchar_t* className) {
  WindowFilter filter = VisibleWindowsOf(processId, className);
  return filter;
}

// Inside the rim, below any text.
COLORREF MemoColour(HWND memo) {
  const ScreenImage shot = CaptureWindow(memo);
  return shot.At(shot.width - 6, shot.height - 6);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The memo page's background colour box pressed with the mouse, and a colour chosen in the picker.
void ChooseMemoColour(SettingsDialogScenario& scenario, HWND dialog, DWORD processId, COLORREF colour) {
  HWND box = DialogControl(dialog, ctl::kMemoBack);
  ASSERT_TRUE(box);
  ASSERT_TRUE(ClickAt(box, POINT{8, 6}));
  const auto picker = WaitForCommonDialog(processId, kColourRedEdit);
  ASSERT_TRUE(picker) << "no colour picker";
  ASSERT_TRUE(ChooseColourInDialog(*picker, colour));
  (void)scenario;
}

TEST_F(SettingsDialogScenario, AMemoColourChangeRecreatesTheMemosWhereTheyStandAndReopensTheCalendar) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni +
                             "[DESKTOPMEMO]\r\nMEMO0=一つ目\r\nTOP0=1500\r\nLEFT0=3000\r\nWIDTH0=3000\r\nHEIGHT0=1500\r\n"
                             "MEMO4=二つ目\r\nTOP4=4500\r\nLEFT4=6000\r\nWIDTH4=3000\r\nHEIGHT4=1500\r\n"
                             "[DESKTOPCAL]\r\nEnable=True\r\nTop=6000\r\nLeft=300\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const WindowFilter memos = VisibleOfClass(app.Id(), kMemoClass);
  const WindowFilter calendars = VisibleOfClass(app.Id(), kCalendarClass);
  ASSERT_TRUE(WaitUntil([&] { return TopLevelWindows(memos).size() == 2; }));
  const HWND oldCalendar = WaitForWindow(calendars);
  ASSERT_TRUE(oldCalendar);
  // The calendar has been moved since it opened: it comes back where it stands.
  ASSERT_TRUE(SetWindowPos(oldCalendar, nullptr, 40, 450, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  const RECT calendarPlace = WindowRect(oldCalendar);
  std::vector<HWND> oldMemos = TopLevelWindows(memos);
  std::vector<RECT> memoPlaces;
  for (HWND memo : oldMemos) memoPlaces.push_back(WindowRect(memo));

  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kMemoBack)->page));
  ChooseMemoColour(*this, dialog, app.Id(), kChosenMemoColour);
  HWND sample = DialogControl(dialog, ctl::kMemoSample);
  EXPECT_TRUE(WaitUntil([&] {
    const ScreenImage shot = CaptureWindow(sample);
    return SameColour(shot.At(shot.width - 4, shot.height - 4), kChosenMemoColour, 8);
  })) << "the memo sample takes the new background at once";
  EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), L"settings-memo-colour.bmp")));
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));

  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "BKCOLOR"), std::to_string(kChosenMemoColour));
  std::vector<HWND> newMemos;
  ASSERT_TRUE(WaitUntil([&] {
    newMemos = TopLevelWindows(memos);
    return newMemos.size() == 2 && !IsWindow(oldMemos[0]) && !IsWindow(oldMemos[1]);
  })) << "the memos were not created anew";
  for (HWND memo : newMemos) {
    EXPECT_TRUE(WaitUntil([&] { return SameColour(MemoColour(memo), kChosenMemoColour, 8); })) << WindowText(memo);
    const RECT place = WindowRect(memo);
    bool atAnOldPlace = false;
    for (const RECT& old : memoPlaces) atAnOldPlace = atAnOldPlace || SameRect(place, old);
    EXPECT_TRUE(atAnOldPlace) << "memo at " << place.left << "," << place.top;
  }
  HWND newCalendar = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    newCalendar = WaitForWindow(calendars, 100ms);
    return newCalendar != nullptr && newCalendar != oldCalendar && !IsWindow(oldCalendar);
  })) << "the calendar was not opened anew";
  EXPECT_TRUE(SameRect(WindowRect(newCalendar), calendarPlace));
  EXPECT_EQ(TopLevelWindows(calendars).size(), 1u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class SettingsMouseWarp : public SettingsDialogScenario {
protected:
  void TearDown() override {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    SettingsDialogScenario::TearDown();
  }

  // Real mouse input: the pointer moved to a point of the screen (absolute, normalised coordinates).
  static bool MovePointerTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &in, sizeof in) == 1;
  }

  static POINT Pointer() {
    POINT p{};
    GetCursorPos(&p);
    return p;
  }

  // The mouse warp box clicked with the mouse, then Enter for OK.
  void ToggleMouseWarp(HWND main, bool expected) {
    HWND dialog = OpenByDoubleClick(main);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kMouseWarp)->page));
    HWND box = DialogControl(dialog, ctl::kMouseWarp);
    ASSERT_TRUE(ClickAt(box, POINT{5, 8}));
    ASSERT_TRUE(WaitUntil([&] { return Ticked(box) == expected; }));
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    ASSERT_TRUE(WaitHidden(dialog));
  }
};

TEST_F(SettingsMouseWarp, TickedAndConfirmedTheEdgesWarpAtOnceAndClearedTheyStop) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const int w = GetSystemMetrics(SM_CXSCREEN);
  ToggleMouseWarp(main, true);
  EXPECT_EQ(folder.ReadSetting("MouseWarp", "Enable"), "1");
  ASSERT_TRUE(MovePointerTo(0, 300));
  EXPECT_TRUE(WaitUntil([&] { return Pointer().x == w - 2; })) << "pointer at " << Pointer().x << "," << Pointer().y;
  EXPECT_NEAR(Pointer().y, 300, 1);

  ToggleMouseWarp(main, false);
  EXPECT_EQ(folder.ReadSetting("MouseWarp", "Enable"), "0");
  ASSERT_TRUE(MovePointerTo(0, 300));
  EXPECT_FALSE(WaitUntil([&] { return Pointer().x != 0; }, kQuietPeriod)) << "still warping";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(SettingsDialogScenario, AnOddFlagDoesNotCostTheLauncherEntriesSlotTextsOrMacros) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni +
                             "[WindowShade]\r\nXPMODE=True\r\n"
                             "[APPNAME]\r\n1=メモ帳\r\n15=最後の行\r\n"
                             "[APPPATH]\r\n1=C:\\Windows\\notepad.exe\r\n15=calc.exe\r\n"
                             "[APPVIS]\r\n1=200\r\n"
                             "[CLIP]\r\n1=スロット\\nテキスト\r\n"
                             "[PARA]\r\n2=マクロ{ENTER}\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Ticked(DialogControl(dialog, ctl::kWindowShadeXp))) << "on, as the program reads it";
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAppName)), "メモ帳");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAppPath)), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAppOpacity)), "200");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAppName + 14)), "最後の行");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kAppPath + 14)), "calc.exe");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kSlotText)), "スロット\r\nテキスト");
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kMacroText + 1)), "マクロ{ENTER}");
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(folder.ReadSetting("WindowShade", "XPMODE"), "1");
  EXPECT_EQ(folder.ReadSetting("APPNAME", "1"), "メモ帳");
  EXPECT_EQ(folder.ReadSetting("APPPATH", "1"), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(folder.ReadSetting("APPVIS", "1"), "200");
  EXPECT_EQ(folder.ReadSetting("APPNAME", "15"), "最後の行");
  EXPECT_EQ(folder.ReadSetting("APPPATH", "15"), "calc.exe");
  EXPECT_EQ(folder.ReadSetting("CLIP", "1"), "スロット\\nテキスト");
  EXPECT_EQ(folder.ReadSetting("PARA", "2"), "マクロ{ENTER}");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(SettingsDialogScenario, ASlotCopiedByHotkeyStaysAfterAnUnrelatedOK) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe(L"notepad editmenu");
  ASSERT_TRUE(probe.Ready());
  HWND edit = FindChild(probe.Hwnd(), L"Edit", std::nullopt);
  ASSERT_TRUE(edit);
  const std::string copied = "ホットキーでコピーした文章";
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ホットキーでコピーした文章"));
  Send(edit, EM_SETSEL, 0, -1);
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD1}));
  ASSERT_TRUE(WaitUntil([&] { return TrayMenuCaptions(main).front() == copied; })) << "slot 1 did not take the copy";

  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kMemoBack)->page));
  ChooseMemoColour(*this, dialog, app.Id(), kChosenMemoColour);
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "BKCOLOR"), std::to_string(kChosenMemoColour));
  EXPECT_EQ(folder.ReadSetting("CLIP", "1", "<absent>"), "<absent>");

  EXPECT_EQ(TrayMenuCaptions(main).front(), copied);
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD4}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == copied; })) << "slot 1 pastes: " << WindowText(edit);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(SettingsDialogScenario, ACombinationAnotherProgramHoldsIsMarkedOnItsRow) {
  // This test program holds Ctrl+keypad 2, copy slot 2's combination, before the program starts.
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7E01, MOD_CONTROL, VK_NUMPAD2));
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  for (int row = 0; row < kDialogHotkeyRows; ++row) {
    EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kHotkeyStatus + row)), row == 1 ? "他で使用中" : "") << "row " << row + 1;
  }
  EXPECT_TRUE(IsWindowVisible(DialogControl(dialog, ctl::kHotkeyStatus + 1)));
  EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), L"settings-hotkey-taken.bmp")));

  // Let go, the combination is the program's after the next OK, and the mark goes.
  UnregisterHotKey(nullptr, 0x7E01);
  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_TRUE(CombinationTaken({MOD_CONTROL, VK_NUMPAD2}));
  ASSERT_EQ(OpenByDoubleClick(main), dialog);
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kHotkeyStatus + 1)), "");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// Two captures of a window differ somewhere.
bool Differ(const ScreenImage& a, const ScreenImage& b) { return a.pixels != b.pixels; }

TEST_F(SettingsDialogScenario, PageButtonsBrowseChooseFontsAndTheSamplesFollowTheStyleBoxes) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni));
  const std::wstring tool = folder.PathOf(L"道具.exe");
  ASSERT_TRUE(WriteFileBytes(tool, "MZ"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);

  // The last launcher row browses like the first ones.
  ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kAppBrowse + 14)->page));
  ASSERT_TRUE(ClickAt(DialogControl(dialog, ctl::kAppBrowse + 14), POINT{5, 5}));
  auto picker = WaitForCommonDialog(app.Id(), kFileNameCombo);
  ASSERT_TRUE(picker) << "row 15's button opened no file dialog";
  ASSERT_TRUE(ChooseFileInDialog(*picker, Narrow(tool)));
  HWND path15 = DialogControl(dialog, ctl::kAppPath + 14);
  EXPECT_TRUE(WaitUntil([&] { return SamePath(Widen(WindowText(path15)), tool); })) << WindowText(path15);

  // The memo sample follows its bold box at once, as the calendar sample does.
  ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kMemoFontBold)->page));
  HWND memoSample = DialogControl(dialog, ctl::kMemoSample);
  const ScreenImage plain = CaptureWindow(memoSample);
  ASSERT_TRUE(ClickAt(DialogControl(dialog, ctl::kMemoFontBold), POINT{5, 8}));
  EXPECT_TRUE(WaitUntil([&] { return Differ(CaptureWindow(memoSample), plain); })) << "the memo sample stayed as it was";

  // The calendar font button: the chosen face and size land in the labels, the boxes follow.
  ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kCalendarFontButton)->page));
  HWND calendarSample = DialogControl(dialog, ctl::kCalendarSample);
  const ScreenImage before = CaptureWindow(calendarSample);
  ASSERT_TRUE(ClickAt(DialogControl(dialog, ctl::kCalendarFontButton), POINT{10, 8}));
  picker = WaitForCommonDialog(app.Id(), kFontFaceCombo);
  ASSERT_TRUE(picker) << "no font dialog";
  ASSERT_TRUE(ConfirmFontDialog(*picker, std::string("IPA明朝"), 14, false));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(DialogControl(dialog, ctl::kCalendarFontName)) == "IPA明朝"; }))
      << WindowText(DialogControl(dialog, ctl::kCalendarFontName));
  EXPECT_EQ(WindowText(DialogControl(dialog, ctl::kCalendarFontSize)), "14");
  EXPECT_FALSE(Ticked(DialogControl(dialog, ctl::kCalendarFontBold)));
  EXPECT_TRUE(WaitUntil([&] { return Differ(CaptureWindow(calendarSample), before); }));
  EXPECT_TRUE(SaveBitmap(CaptureWindow(dialog), PathJoin(ExeDirectory(), L"settings-calendar-font.bmp")));

  ASSERT_TRUE(Click(dialog, IDOK));
  ASSERT_TRUE(WaitHidden(dialog));
  EXPECT_TRUE(SamePath(Widen(folder.ReadSetting("APPPATH", "15")), tool));
  EXPECT_EQ(folder.ReadSetting("MemoFont", "Bold"), "1");
  EXPECT_EQ(folder.ReadSetting("CalFont", "Name"), "IPA明朝");
  EXPECT_EQ(folder.ReadSetting("CalFont", "Size"), "14");
  EXPECT_EQ(folder.ReadSetting("CalFont", "Bold"), "0");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class SettingsWallpaperCalendar : public SettingsDialogScenario {
protected:
  void SetUp() override {
    SettingsDialogScenario::SetUp();
    const std::vector<std::uint32_t> pixels(800 * 600, 0x305070);
    ASSERT_TRUE(WriteFileBytes(userPicture, EncodeBmp24(pixels.data(), 800, 600)));
    ASSERT_TRUE(SetUserWallpaper(userPicture));
  }

  // The wallpaper calendar's box clicked with the mouse, then OK.
  void SetWallpaperCalendar(HWND main, bool on) {
    HWND dialog = OpenByDoubleClick(main);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(GoToPage(dialog, FindControl(ctl::kWallpaperCalendar)->page));
    HWND box = DialogControl(dialog, ctl::kWallpaperCalendar);
    ASSERT_TRUE(ClickAt(box, POINT{5, 8}));
    ASSERT_TRUE(WaitUntil([&] { return Ticked(box) == on; }));
    ASSERT_TRUE(Click(dialog, IDOK));
    ASSERT_TRUE(WaitHidden(dialog));
  }

  WallpaperGuard wallpaper;
  AppFolder pictures;  // the user's own folder
  const std::wstring userPicture = pictures.PathOf(L"海の壁紙.bmp");
};

TEST_F(SettingsWallpaperCalendar, TickedTheMonthIsDrawnIntoTheWallpaperClearedTheUsersPictureComesBackAtOnce) {
  AppFolder folder(Ini::Text(kHotkeyDefaultsIni + "[Calender]\r\nX=40\r\nY=30\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const std::wstring calendarPicture = folder.PathOf(L"Quorbell.bmp");

  SetWallpaperCalendar(main, true);
  EXPECT_TRUE(WaitUntil([&] { return SamePath(RegistryWallpaper(), calendarPicture); })) << Narrow(RegistryWallpaper());
  EXPECT_EQ(folder.ReadSetting("Wallpaper", "1"), Narrow(userPicture)) << "the user's picture is recorded";
  EXPECT_EQ(folder.ReadSetting("Calender", "Enable"), "1");
  const auto drawn = ReadFileBytes(calendarPicture);
  ASSERT_TRUE(drawn);
  EXPECT_NE(*drawn, *ReadFileBytes(userPicture)) << "nothing drawn into the calendar picture";

  SetWallpaperCalendar(main, false);
  EXPECT_TRUE(WaitUntil([&] { return SamePath(RegistryWallpaper(), userPicture); }))
      << "the user's picture did not come back: " << Narrow(RegistryWallpaper());
  EXPECT_EQ(folder.ReadSetting("Wallpaper", "1"), Narrow(userPicture)) << "the record stays";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(SamePath(RegistryWallpaper(), userPicture));
}

}  // namespace
}  // namespace qb::e2e
