// The tray icon, its popup menu and the 10 ms timer, driven through the real program: the shell's
// icon notifications posted to the main window as the shell posts them, menu items chosen with
// the keyboard, the pointer pushed against screen edges, memory-diet helpers watched as processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/TrayIcons.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
// The icon reports mouse actions as WM_MOUSEMOVE with the mouse message in lParam.
constexpr UINT kIconCallback = WM_MOUSEMOVE;

const std::vector<std::string> kFixedCaptions = {
    "何でもｵｰﾌﾟﾝ", "ｽﾄｯﾌﾟｳｫｯﾁ",      "色選択",   "PC終了ﾎﾞﾀﾝ",  "ﾒﾓﾘ状況",        "ｱﾅﾛｸﾞ時計",
    "ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞ", "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ", "ｱｲｺﾝﾃｷｽﾄ透明化", "初期設定", "ﾊﾞｰｼﾞｮﾝ情報", "Quorbellの終了",
};

bool IconExists(HWND owner) { return TrayIconExists(owner, kIconId); }

// What the shell posts for a mouse action on the icon.
bool PostIconEvent(HWND main, UINT mouseMessage) { return Post(main, kIconCallback, kIconId, mouseMessage); }

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

class TrayMenu : public ResidentScenario {
protected:
  // A right-button press on the icon; the menu window, null when none opened.
  HWND OpenFromIcon(HWND main) {
    EXPECT_TRUE(PostIconEvent(main, WM_RBUTTONDOWN));
    return WaitForPopupMenu(app.Id());
  }
};

TEST_F(TrayMenu, RightButtonPressOpensTheFifteenItemsInOrderAndEscapeClosesIt) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  EXPECT_TRUE(IconExists(main)) << "no tray icon after start-up";

  HWND menu = OpenFromIcon(main);
  ASSERT_TRUE(menu) << "no popup menu after a right-button press on the icon";
  const auto items = ReadPopupMenu(menu);
  ASSERT_TRUE(items);
  // Slot items show their slots' texts, empty with the default settings.
  std::vector<std::string> expected = {"", "", ""};
  expected.insert(expected.end(), kFixedCaptions.begin(), kFixedCaptions.end());
  EXPECT_EQ(Captions(*items), expected);
  std::set<UINT> ids;
  for (const auto& item : *items) {
    EXPECT_FALSE(item.checked) << item.caption;
    EXPECT_FALSE(item.separator) << item.caption;
    ids.insert(item.id);
  }
  EXPECT_EQ(ids.size(), items->size()) << "menu ids are not distinct";

  ASSERT_TRUE(PostKey(menu, VK_ESCAPE));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id())) << "Escape did not close the menu";
  EXPECT_TRUE(app.Running());
  // Closed for good: the next press opens it again.
  HWND again = OpenFromIcon(main);
  ASSERT_TRUE(again);
  ASSERT_TRUE(PostKey(again, VK_ESCAPE));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(TrayMenu, MovesSingleClicksAndReleasesOnTheIconOpenNothing) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_RBUTTONDBLCLK})
    ASSERT_TRUE(PostIconEvent(main, message));
  WindowFilter visible;
  visible.processId = app.Id();
  visible.visibleOnly = true;
  EXPECT_TRUE(StaysWithoutWindow(visible)) << "a mouse action other than a right press or a double-click showed a window";
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(TrayMenu, EndItemRemovesTheIconAndEndsTheProgramWithCodeZero) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(IconExists(main));
  const IconAtDestroyWatch watch(main, kIconId);
  ASSERT_TRUE(watch.Armed());
  HWND menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  // Up from no selection selects the last item, "Quorbellの終了".
  ASSERT_TRUE(PostKey(menu, VK_UP));
  ASSERT_TRUE(PostKey(menu, VK_RETURN));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(watch.IconExistedAtDestroy(), false) << "the icon was not removed before the main window went";
  EXPECT_FALSE(IconExists(main)) << "the icon outlived the program";
}

// The start-up wait keeps the program answering: the menu opens at once, the calendar step comes
// after the wait, a calendar the user opened meanwhile is not opened twice, and ending the program
// during the wait ends it at once, with the waiting steps left undone.
TEST_F(TrayMenu, DuringTheStartUpWaitTheMenuAnswersAndTheWaitingStepsComeAfterItUnlessTheUserWasFaster) {
  AppFolder folder(Ini::Text("[WAIT]\r\n1=5000\r\n[DESKTOPCAL]\r\nEnable=True\r\n"));
  WindowFilter calendars;
  calendars.className = L"Quorbell.CalendarWindow";
  calendars.visibleOnly = true;
  const auto started = std::chrono::steady_clock::now();
  auto secondsSinceStart = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  calendars.processId = app.Id();
  HWND menu = OpenFromIcon(main);
  ASSERT_TRUE(menu) << "the tray menu does not open during the start-up wait";
  EXPECT_LT(secondsSinceStart(), 4.0);
  EXPECT_TRUE(TopLevelWindows(calendars).empty()) << "the calendar came before the wait was over";
  ASSERT_TRUE(PostKey(menu, VK_ESCAPE));
  ASSERT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_TRUE(WaitForWindow(calendars, 15s)) << "no calendar after the wait";
  EXPECT_GE(secondsSinceStart(), 4.9) << "the calendar did not wait";
  EXPECT_EQ(app.CloseMainWindow(), 0u);

  // The user opens the calendar during the wait: the start-up step leaves it at one.
  main = Start(folder);
  ASSERT_TRUE(main);
  calendars.processId = app.Id();
  menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuDeskCal)));
  EXPECT_TRUE(WaitForWindow(calendars));
  std::this_thread::sleep_for(6s);
  EXPECT_EQ(TopLevelWindows(calendars).size(), 1u) << "the start-up step opened a second calendar";
  EXPECT_EQ(app.CloseMainWindow(), 0u);

  // Ending during the wait: the program ends at once and the calendar never opens.
  main = Start(folder);
  ASSERT_TRUE(main);
  const auto restarted = std::chrono::steady_clock::now();
  ASSERT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(MenuItem::mnuEnd), 0), 0));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - restarted).count(), 4.0)
      << "the end waited for the start-up wait";
}

TEST_F(TrayMenu, EndCommandSentAsTheMenuWouldEndsTheProgram) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const IconAtDestroyWatch watch(main, kIconId);
  ASSERT_TRUE(watch.Armed());
  ASSERT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(MenuItem::mnuEnd), 0), 0));
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(watch.IconExistedAtDestroy(), false) << "the icon was not removed before the main window went";
}

TEST_F(TrayMenu, ShellRestartBringsTheIconBack) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(IconExists(main));
  // A restarting shell has lost every icon and then broadcasts TaskbarCreated.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof(gone);
  gone.hWnd = main;
  gone.uID = kIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  ASSERT_FALSE(IconExists(main));
  ASSERT_TRUE(Post(main, RegisterWindowMessageW(L"TaskbarCreated")));
  EXPECT_TRUE(WaitUntil([&] { return IconExists(main); })) << "the icon did not come back";
  // The re-added icon is the one shutdown removes.
  const IconAtDestroyWatch watch(main, kIconId);
  ASSERT_TRUE(watch.Armed());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(watch.IconExistedAtDestroy(), false);
}

TEST_F(TrayMenu, DesktopCalendarItemOpensACalendarOnlyWhenNoneIsOpen) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  WindowFilter calendars = VisibleWindowsOf(app.Id(), L"Quorbell.CalendarWindow");
  ASSERT_TRUE(TopLevelWindows(calendars).empty());

  HWND menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuDeskCal)));
  EXPECT_TRUE(WaitForWindow(calendars)) << "no calendar after choosing ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞ";
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));

  menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuDeskCal)));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows(calendars).size() > 1; }, kQuietPeriod))
      << "a second calendar opened while one was open";

  // A calendar closed another way than by its double-click (here a WM_CLOSE from outside) no
  // longer counts as open: the item opens a new one.
  const HWND first = WaitForWindow(calendars);
  ASSERT_TRUE(PostClose(first));
  ASSERT_TRUE(WaitForNoWindow(calendars));
  menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuDeskCal)));
  EXPECT_TRUE(WaitForWindow(calendars)) << "the item did nothing after the calendar was closed";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(TrayMenu, SlotItemPutsTheSlotOnTheClipboardAndCarriesTheCheckMark) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WriteClipboardText("before the slot item"));

  HWND menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnu2)));
  // Slot 2 is empty with the default settings: the clipboard then holds an empty text.
  EXPECT_TRUE(WaitUntil([] { return ReadClipboardText() == std::string(); }))
      << "clipboard still holds: " << ReadClipboardText().value_or("(no text)");

  // A right-button press shows all items again; the check mark stays on the slot used last.
  menu = OpenFromIcon(main);
  ASSERT_TRUE(menu);
  const auto items = ReadPopupMenu(menu);
  ASSERT_TRUE(items);
  ASSERT_EQ(items->size(), 15u);
  std::vector<bool> checks;
  for (const auto& item : *items) checks.push_back(item.checked);
  std::vector<bool> expected(15, false);
  expected[1] = true;
  EXPECT_EQ(checks, expected);
  ASSERT_TRUE(PostKey(menu, VK_ESCAPE));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class MouseWarp : public TrayMenu {
protected:
  void TearDown() override {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    TrayMenu::TearDown();
  }
};

TEST_F(MouseWarp, PointerMovedToAnEdgeJumpsToJustInsideTheOppositeEdge) {
  AppFolder folder(Ini::Text("[MouseWarp]\r\nEnable=1\r\n"));
  ASSERT_TRUE(Start(folder));
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    POINT pushed;
    POINT landed;
  } cases[] = {
      {{0, 300}, {w - 2, 300}},
      {{w - 1, 200}, {1, 200}},
      {{500, 0}, {500, h - 2}},
      {{400, h - 1}, {400, 1}},
      // A corner: across both edges at once.
      {{0, 0}, {w - 2, h - 2}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(MovePointerTo({w / 2, h / 2}));
    ASSERT_TRUE(MovePointerTo(c.pushed));
    EXPECT_TRUE(WaitUntil([&] {
      const POINT p = CursorPos();
      return p.x == c.landed.x && p.y == c.landed.y;
    })) << "moved to " << c.pushed.x << "," << c.pushed.y << ", pointer at " << CursorPos().x << "," << CursorPos().y;
  }
  // A pointer put at the edge without any movement rests there; the user pushing on against the
  // edge (the mouse moves, the pointer cannot) takes it across.
  ASSERT_TRUE(SetCursorPos(0, 250));
  EXPECT_FALSE(WaitUntil([] { return CursorPos().x != 0; }, 500ms)) << "a resting pointer was moved";
  ASSERT_TRUE(MovePointerBy(-5, 0));
  EXPECT_TRUE(WaitUntil([&] { return CursorPos().x == w - 2 && CursorPos().y == 250; }))
      << "pushing against the edge; pointer at " << CursorPos().x << "," << CursorPos().y;
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(MouseWarp, OffUnlessTheSettingIsExactlyOne) {
  for (const char* value : {"0", "2"}) {
    AppFolder folder(Ini::Text(std::string("[MouseWarp]\r\nEnable=") + value + "\r\n"));
    ASSERT_TRUE(Start(folder));
    ASSERT_TRUE(MovePointerTo({0, 300}));
    ASSERT_TRUE(MovePointerBy(-5, 0));
    EXPECT_FALSE(WaitUntil([] { return CursorPos().x != 0; }, kQuietPeriod)) << "Enable=" << value << " warped";
    EXPECT_EQ(app.CloseMainWindow(), 0u);
  }
}

TEST_F(TrayMenu, AutomaticDietStartsHelperProcessesThatRunTheDietAndEnd) {
  // One second between diets and a small block, so helpers come quickly and go at once.
  AppFolder folder(Ini::Text("[MemDiet]\r\nCheck=1\r\nSec=1\r\nSize=1\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  std::set<DWORD> seen;
  ASSERT_TRUE(WaitUntil([&] {
    seen = HelperProcesses(app.Id());
    return !seen.empty();
  })) << "no diet process started";
  const UniqueHandle helper(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *seen.begin()));
  if (helper) {
    // The helper is the "Diet" role (the quoted program path survives the blank in the folder's
    // name): it ends by itself, with code 0, instead of staying as a second resident instance.
    ASSERT_EQ(WaitForSingleObject(helper.get(), ToDword(kDefaultTimeout)), WAIT_OBJECT_0) << "the diet process did not end";
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(helper.get(), &code));
    EXPECT_EQ(code, 0u);
  }  // else it has already ended, which is what a diet helper does
  EXPECT_EQ(ResidentMainWindows().size(), 1u);
  // Periodically: another one comes later.
  EXPECT_TRUE(WaitUntil([&] {
    for (DWORD id : HelperProcesses(app.Id()))
      if (seen.count(id) == 0) return true;
    return false;
  })) << "no second diet process";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(TrayMenu, NoDietProcessWhileTheAutomaticDietIsOff) {
  // Sec=0 would start a diet every second tick if the switch were on.
  AppFolder folder(Ini::Text("[MemDiet]\r\nCheck=0\r\nSec=0\r\nSize=1\r\n"));
  ASSERT_TRUE(Start(folder));
  EXPECT_FALSE(WaitUntil([&] { return !HelperProcesses(app.Id()).empty(); }, kQuietPeriod)) << "a diet process started";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
