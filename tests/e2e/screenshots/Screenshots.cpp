// Pictures of the real program for the README: a demonstration set of settings (a calendar with
// day notes, two memos, the clock, clipboard slots, launcher entries), then every window a user
// meets, each captured alone as it appears on the screen. Written as BMP files to "screenshots"
// beside this program; scripts/screenshots.sh turns them into the PNG files of docs/screenshots.
// Not part of the test run: a picture tool, though each step still checks that its window came.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "SettingsDialogSupport.h"
#include "app/MenuModel.h"
#include "calendar/DayNotes.h"
#include "common/Text.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

using namespace std::chrono_literals;

constexpr UINT kIconCallback = WM_MOUSEMOVE;
// What the screen needs to show a window that has just appeared or changed: a picture tool may
// wait, where a test would have to prove something.
constexpr auto kSettle = 700ms;

// Places in twips (15 to a pixel on the bed's 96-dpi screen).
const std::string kDemoIni =
    "[DESKTOPCAL]\r\nEnable=True\r\nTop=900\r\nLeft=900\r\n"
    "[DESKTOPCLOCK]\r\nEnable=True\r\nTop=900\r\nLeft=7800\r\n"
    "[DESKTOPMEMO]\r\n"
    "MEMO0=買い物メモ@@・牛乳@@・食パン@@・ｺｰﾋｰ豆\r\nTOP0=6000\r\nLEFT0=900\r\nWIDTH0=3300\r\nHEIGHT0=1950\r\n"
    "MEMO1=15 時 打ち合わせ@@第二会議室@@資料は 3 部\r\nTOP1=6000\r\nLEFT1=4500\r\nWIDTH1=3600\r\nHEIGHT1=1950\r\n"
    "BKCOLOR1=16764108\r\nFRCOLOR1=8388608\r\n"
    "[CLIP]\r\n1=いつもお世話になっております。\r\n2=よろしくお願いいたします。\r\n3=〒100-0001 東京都千代田区\r\n"
    "[APPPATH]\r\n1=notepad\r\n2=calc\r\n3=mspaint\r\n"
    "[APPNAME]\r\n1=メモ帳\r\n2=電卓\r\n3=ペイント\r\n";

std::wstring PictureFolder() {
  const std::wstring folder = PathJoin(ExeDirectory(), L"screenshots");
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void Save(const ScreenImage& image, const std::wstring& name) {
  ASSERT_FALSE(image.Empty()) << Narrow(name);
  EXPECT_TRUE(SaveBitmap(image, PathJoin(PictureFolder(), name + L".bmp"))) << Narrow(name);
}

// The window in front, painted, captured alone.
void SaveWindow(HWND window, const std::wstring& name) {
  ASSERT_TRUE(window) << "no window for " << Narrow(name);
  EXPECT_TRUE(BringToFront(window)) << Narrow(name);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(kSettle);
  Save(CaptureWindow(window), name);
}

RECT Union(const std::vector<HWND>& windows, int margin) {
  RECT all = WindowRect(windows.front());
  for (HWND w : windows) {
    const RECT r = WindowRect(w);
    UnionRect(&all, &all, &r);
  }
  InflateRect(&all, margin, margin);
  return all;
}

// Day notes of the month on show, as the note editor writes them: one line, "@@" between lines.
void WriteDemoNotes(const AppFolder& folder) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CreateDirectoryW(folder.PathOf(L"dic").c_str(), nullptr);
  const struct {
    int day;
    const char* text;
  } notes[] = {{3, "歯医者 10:30"}, {12, "資料の締め切り@@午後 5 時まで"}, {24, "誕生日のお祝い"}};
  for (const auto& note : notes) {
    const std::string title = DayNoteTitle(now.wYear, now.wMonth, note.day);
    const auto bytes = Utf8ToCp932(note.text);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(WriteFileBytes(folder.PathOf(L"dic\\" + Widen(title) + L".txt"), *bytes + "\r\n"));
  }
}

class Screenshots : public SettingsDialogScenario {
protected:
  WindowFilter Visible(const wchar_t* className) const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), className);
    return filter;
  }

  // An accessory opened with its tray menu command, as the menu sends it.
  HWND OpenAccessory(HWND main, MenuItem item, const WindowFilter& filter) {
    EXPECT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(item), 0), 0));
    return WaitForWindow(filter);
  }
};

TEST_F(Screenshots, CalendarMemosClockAndTrayMenu) {
  AppFolder folder(Ini::Text(kDemoIni));
  ASSERT_TRUE(folder.Ready());
  WriteDemoNotes(folder);
  const HWND main = Start(folder);
  ASSERT_TRUE(main);

  SaveWindow(WaitForWindow(Visible(L"Quorbell.CalendarWindow")), L"calendar");
  SaveWindow(WaitForWindow(Visible(L"Quorbell.ClockWindow")), L"clock");

  std::vector<HWND> memos;
  ASSERT_TRUE(WaitUntil([&] { return (memos = TopLevelWindows(Visible(L"Quorbell.MemoWindow"))).size() == 2; }));
  for (HWND memo : memos) EXPECT_TRUE(BringToFront(memo));
  std::this_thread::sleep_for(kSettle);
  Save(CaptureScreen(Union(memos, 12)), L"memos");

  // The menu opens at the pointer, as it does beside the tray icon.
  SetCursorPos(520, 330);
  ASSERT_TRUE(Post(main, kIconCallback, kTrayIconId, WM_RBUTTONDOWN));
  const HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  const auto items = ReadPopupMenu(menu);
  ASSERT_TRUE(items);
  EXPECT_EQ(items->size(), static_cast<size_t>(kMenuItemCount));
  std::this_thread::sleep_for(kSettle);
  Save(CaptureWindow(menu), L"tray-menu");
  EXPECT_TRUE(PostKey(menu, VK_ESCAPE));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Screenshots, Accessories) {
  AppFolder folder(Ini::Text(kDemoIni));
  ASSERT_TRUE(folder.Ready());
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  const struct {
    MenuItem item;
    const wchar_t* className;
    const wchar_t* caption;
    const wchar_t* picture;
  } accessories[] = {
      {MenuItem::stopWatch, L"Quorbell.StopwatchWindow", nullptr, L"stopwatch"},
      {MenuItem::colorChoose, L"Quorbell.ColourChooser", nullptr, L"colour-chooser"},
      {MenuItem::cmdMemDiet, L"Quorbell.MemoryStatusWindow", nullptr, L"memory-status"},
      {MenuItem::mnuOpen, L"Quorbell.OpenAnythingWindow", nullptr, L"open-anything"},
      {MenuItem::shutdown, L"Quorbell.ShutdownButtonWindow", nullptr, L"shutdown-button"},
      {MenuItem::mnuVer, L"#32770", L"Quorbellのﾊﾞｰｼﾞｮﾝ情報", L"version"},
  };
  for (const auto& a : accessories) {
    WindowFilter filter = Visible(a.className);
    if (a.caption != nullptr) filter.caption = a.caption;
    const HWND window = OpenAccessory(main, a.item, filter);
    SaveWindow(window, a.picture);
    // Out of the way of the next one (the shutdown button has no close of its own).
    if (window != nullptr) ShowWindow(window, SW_HIDE);
  }

  // The launcher menu, as its hotkey shows it: a process of its own.
  AppProcess launcher = AppProcess::StartExe(folder.ExePath(), L"Menu", folder.Dir());
  ASSERT_TRUE(launcher);
  WindowFilter launchers = VisibleWindowsOf(launcher.Id(), L"Quorbell.LauncherWindow");
  const HWND menu = WaitForWindow(launchers);
  ASSERT_TRUE(menu);
  ASSERT_TRUE(WaitUntil([&] { return FindChild(menu, L"Quorbell.LauncherLabel", "メモ帳") != nullptr; }));
  SaveWindow(menu, L"launcher");
  ASSERT_TRUE(BringToFront(menu));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Screenshots, EverySettingsPage) {
  AppFolder folder(Ini::Text(kDemoIni));
  ASSERT_TRUE(folder.Ready());
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = OpenByDoubleClick(main);
  ASSERT_TRUE(dialog);
  for (int page = 0; page < kSettingsPageCount; ++page) {
    ASSERT_TRUE(GoToPage(dialog, page)) << "page " << page;
    wchar_t name[32];
    swprintf(name, 32, L"settings-%02d", page + 1);
    SaveWindow(dialog, name);
  }
  ASSERT_TRUE(Click(dialog, IDCANCEL));
  EXPECT_TRUE(WaitHidden(dialog));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
