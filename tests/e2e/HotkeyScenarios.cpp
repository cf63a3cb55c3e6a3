// The global hotkeys through the real program: what a fresh start writes and registers, a chosen
// combination, a combination another program holds, a macro and the clipboard slots typed into a
// window of another program, the hotkey menu, and nothing left behind at the end. Hotkeys are
// pressed as real keys (SendInput) with the probe window in front.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "HotkeySupport.h"
#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/ProbeTarget.h"
#include "harness/StandInTaskBar.h"
#include "platform/Clipboard.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;

// The default combinations, in registration order.
const std::vector<Combination> kDefaultCombinations = {
    {MOD_CONTROL, VK_NUMPAD1}, {MOD_CONTROL, VK_NUMPAD2}, {MOD_CONTROL, VK_NUMPAD3}, {MOD_CONTROL, VK_NUMPAD4},
    {MOD_CONTROL, VK_NUMPAD5}, {MOD_CONTROL, VK_NUMPAD6}, {MOD_ALT, VK_NUMPAD7},     {MOD_ALT, VK_NUMPAD8},
    {MOD_ALT, VK_NUMPAD9},     {MOD_CONTROL, VK_F9},      {0, VK_SNAPSHOT},          {MOD_CONTROL, VK_SNAPSHOT},
    {MOD_CONTROL, VK_F10},     {MOD_CONTROL, VK_F11},     {MOD_CONTROL, VK_F12},     {MOD_CONTROL, VK_NUMPAD0},
    {MOD_CONTROL, VK_MULTIPLY}, {MOD_CONTROL, VK_ADD},    {MOD_CONTROL, VK_SUBTRACT}, {MOD_CONTROL, VK_DECIMAL},
    {MOD_CONTROL, VK_DIVIDE},  {MOD_CONTROL, VK_HOME},
};

class Hotkeys : public ResidentScenario {
protected:
  // The probe as an editor with an Edit menu, in front, its text box emptied.
  HWND StartEditor(ProbeTarget& probe, std::string_view text = "") {
    if (!probe.Ready()) return nullptr;
    HWND edit = FindChild(probe.Hwnd(), L"Edit", std::nullopt);
    if (!edit) return nullptr;
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    if (!probe.BringToFront()) return nullptr;
    return edit;
  }

  static std::wstring Widen(std::string_view utf8) {
    std::wstring w(utf8.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(),
                                      static_cast<int>(w.size()));
    w.resize(static_cast<size_t>(n));
    return w;
  }

  // The menu opened by a right-button press on the icon.
  std::optional<std::vector<PopupMenuItem>> TrayMenuItems(HWND main) {
    if (!Post(main, WM_MOUSEMOVE, kIconId, WM_RBUTTONDOWN)) return std::nullopt;
    HWND menu = WaitForPopupMenu(app.Id());
    if (!menu) return std::nullopt;
    auto items = ReadPopupMenu(menu);
    (void)PostKey(menu, VK_ESCAPE);
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
    return items;
  }
};

TEST_F(Hotkeys, FreshStartWritesTheDefaultsAndHoldsAllTwentyTwoCombinations) {
  AppFolder folder;
  ASSERT_TRUE(Start(folder));
  for (int n = 1; n <= 10; ++n) {
    const std::string key = std::to_string(n);
    EXPECT_EQ(folder.ReadSetting("CAP", key, "absent"), n <= 6 ? "1" : "0") << "CAP/" << n;
    EXPECT_EQ(folder.ReadSetting("KEY", key, "absent"), std::to_string(n - 1)) << "KEY/" << n;
  }
  for (size_t i = 0; i < kDefaultCombinations.size(); ++i) {
    const std::wstring& name = HotkeyAtomNames()[i];
    EXPECT_NE(GlobalFindAtomW(name.c_str()), 0) << "no atom " << std::string(name.begin(), name.end());
    EXPECT_TRUE(CombinationTaken(kDefaultCombinations[i])) << "not held: row " << i;
  }
  // Entry 10 (Alt+1 by default) is read and defaulted but no hotkey uses it.
  EXPECT_FALSE(CombinationTaken({MOD_ALT, '1'})) << "entry 10 must not be registered";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, ChosenEntryRegistersShiftF1ForPasteSlotOneAndMalformedChoicesFallBack) {
  AppFolder folder(Ini::Text("[KEY]\r\n4=19\r\n5=03\r\n[CAP]\r\n4=2\r\n5=1.0\r\n"));
  ASSERT_TRUE(Start(folder));
  EXPECT_TRUE(CombinationTaken({MOD_SHIFT, VK_F1}));
  EXPECT_FALSE(CombinationTaken({MOD_CONTROL, VK_NUMPAD4}));
  EXPECT_EQ(folder.ReadSetting("KEY", "4"), "19");
  EXPECT_EQ(folder.ReadSetting("CAP", "4"), "2");
  // "03" and "1.0" are not recognised: entry 5 gets its defaults back, written to the file.
  EXPECT_TRUE(CombinationTaken({MOD_CONTROL, VK_NUMPAD5}));
  EXPECT_EQ(folder.ReadSetting("KEY", "5"), "4");
  EXPECT_EQ(folder.ReadSetting("CAP", "5"), "1");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, CombinationHeldByAnotherProgramLeavesOnlyThatHotkeyDead) {
  // This test program holds Ctrl+Home (the topmost toggle) before Quorbell starts.
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7E00, MOD_CONTROL, VK_HOME));
  AppFolder folder;
  HWND main = Start(folder);
  UnregisterHotKey(nullptr, 0x7E00);
  ASSERT_TRUE(main);
  EXPECT_FALSE(CombinationTaken({MOD_CONTROL, VK_HOME})) << "Quorbell took the combination after all";
  for (size_t i = 0; i + 1 < kDefaultCombinations.size(); ++i)
    EXPECT_TRUE(CombinationTaken(kDefaultCombinations[i])) << "row " << i << " not held";

  // The others work: the roll-up hotkey on the probe.
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD0}));
  EXPECT_TRUE(WaitUntil([&] { return WindowRegion(probe.Hwnd()).type == SIMPLEREGION; }))
      << "the roll-up hotkey did not act";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, MacroOneIsTypedIntoTheWindowInFrontWithClipboardTextTypedLiterally) {
  // {CLIP} holds key notation: typed as it stands, it must not press Alt+F4 or Enter.
  AppFolder folder(Ini::Text("[PARA]\r\n1=abc 日本語{TAB}+(ab){WAIT}{{}x{}}{ENTER}z{WAIT}{CLIP}\r\n"));
  ASSERT_TRUE(Start(folder));
  // No menu bar: the Alt+Print Screen every macro starts with would put it into menu mode.
  ProbeTarget probe(L"notepad");
  HWND edit = StartEditor(probe);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(WriteClipboardText("%{F4}~(x)"));
  ASSERT_TRUE(PressCombination({MOD_ALT, VK_NUMPAD7}));
  const std::string expected = "abc 日本語\tAB{x}\r\nz%{F4}~(x)";
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == expected; }))
      << "text box holds: " << WindowText(edit);
  EXPECT_TRUE(probe.Process().Running()) << "the clipboard text closed the window";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, PasteSlotTwoPutsItsTextOnTheClipboardPastesItAndMarksTheItem) {
  AppFolder folder(Ini::Text("[CLIP]\r\n2=貼り付け\\t2番\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe(L"notepad editmenu");
  HWND edit = StartEditor(probe);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD5}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "貼り付け\t2番"; })) << "text box holds: " << WindowText(edit);
  EXPECT_EQ(ReadClipboardText(), "貼り付け\t2番");
  // The hotkey is back after typing: a second press pastes again.
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD5}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "貼り付け\t2番貼り付け\t2番"; }))
      << "text box holds: " << WindowText(edit);

  const auto items = TrayMenuItems(main);
  ASSERT_TRUE(items);
  ASSERT_EQ(items->size(), 15u);
  EXPECT_EQ((*items)[1].caption, "貼り付け\t2番");
  EXPECT_FALSE((*items)[0].checked);
  EXPECT_TRUE((*items)[1].checked);
  EXPECT_FALSE((*items)[2].checked);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, CopyIntoSlotTakesWhatTheWindowInFrontCopies) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe(L"notepad editmenu");
  const std::string text = "コピーされる文章 with 30 characters!";
  HWND edit = StartEditor(probe, text);
  ASSERT_TRUE(edit);
  Send(edit, EM_SETSEL, 0, -1);
  ASSERT_TRUE(WriteClipboardText("before"));
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD1}));
  EXPECT_TRUE(WaitUntil([&] { return ReadClipboardText() == text; }))
      << "clipboard holds: " << ReadClipboardText().value_or("(no text)");
  const auto items = TrayMenuItems(main);
  ASSERT_TRUE(items);
  ASSERT_FALSE(items->empty());
  // The slot item shows the first 20 characters of the copied text.
  EXPECT_EQ((*items)[0].caption, "コピーされる文章 with 30 cha");

  // Pasting slot 1 elsewhere gives the copied text back.
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ASSERT_TRUE(WriteClipboardText("something else"));
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_NUMPAD4}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == text; })) << "text box holds: " << WindowText(edit);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, HotkeyMenuHidesTheTrayOnlyItemsAndARightPressBringsThemBack) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  ASSERT_TRUE(probe.BringToFront());
  ASSERT_TRUE(PressCombination({MOD_CONTROL, VK_F12}));
  HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu) << "Ctrl+F12 opened no menu";
  const auto items = ReadPopupMenu(menu);
  ASSERT_TRUE(items);
  ASSERT_EQ(items->size(), 11u);
  EXPECT_EQ(items->back().caption, "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ");
  ASSERT_TRUE(PostKey(menu, VK_ESCAPE));
  ASSERT_TRUE(WaitForNoPopupMenu(app.Id()));

  const auto all = TrayMenuItems(main);
  ASSERT_TRUE(all);
  ASSERT_EQ(all->size(), 15u);
  EXPECT_EQ(all->back().caption, "Quorbellの終了");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Hotkeys, EndItemLeavesNoHotkeyOrAtomBehind) {
  // Global atoms outlive a killed program: what an earlier failed scenario left must not count here.
  for (const std::wstring& name : HotkeyAtomNames()) {
    while (const ATOM atom = GlobalFindAtomW(name.c_str())) {
      if (GlobalDeleteAtom(atom) != 0) break;
    }
  }
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_NE(GlobalFindAtomW(L"HOTKEY22"), 0);
  ASSERT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(MenuItem::mnuEnd), 0), 0));
  EXPECT_EQ(app.WaitForExit(), 0u);
  for (const std::wstring& name : HotkeyAtomNames())
    EXPECT_EQ(GlobalFindAtomW(name.c_str()), 0) << std::string(name.begin(), name.end()) << " left behind";
  for (size_t i = 0; i < kDefaultCombinations.size(); ++i)
    EXPECT_FALSE(CombinationTaken(kDefaultCombinations[i])) << "row " << i << " still held";
}

// A combination another program holds when the program starts: that hotkey is dead, and the tray
// icon says so once, in a balloon naming it; the other hotkeys work.
TEST_F(Hotkeys, ACombinationHeldByAnotherProgramIsNamedInOneBalloonAtStart) {
  constexpr int kHeldId = 0x7E01;
  ASSERT_TRUE(RegisterHotKey(nullptr, kHeldId, MOD_CONTROL, VK_F11)) << "the test cannot hold Ctrl+F11";
  const StandInTaskBar tray(StandInTaskBar::Kind::Present);
  ASSERT_TRUE(tray.Ready());
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  EXPECT_TRUE(WaitUntil([&] { return !tray.NotifyTextStartingWith("登録できなかったホットキー").empty(); }))
      << "no balloon; " << tray.NotifyRequests() << " requests reached the stand-in task bar";
  EXPECT_EQ(tray.NotifyTextStartingWith("登録できなかったホットキー"), "登録できなかったホットキー: Ctrl+F11");
  UnregisterHotKey(nullptr, kHeldId);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
