// The memory status window and the stopwatch, opened from the tray menu of the real program and
// used with real clicks; a picture of each is left next to the test program for a look.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "platform/Handles.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kIconCallback = WM_MOUSEMOVE;

bool IsPercent(const std::string& text) { return std::regex_match(text, std::regex("(100|[1-9]?[0-9])%")); }

class Accessories : public ResidentScenario {
protected:
  // Chooses a tray menu item with the keyboard, as the user would after a right-button press.
  void ChooseFromTray(HWND main, MenuItem item) {
    ASSERT_TRUE(Post(main, kIconCallback, kIconId, WM_RBUTTONDOWN));
    const HWND menu = WaitForPopupMenu(app.Id());
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(item)));
    ASSERT_TRUE(WaitForNoPopupMenu(app.Id()));
  }

  WindowFilter Windows(const wchar_t* className) const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), className);
    return filter;
  }

  static void SavePicture(HWND window, const wchar_t* name) {
    EXPECT_TRUE(SaveBitmap(CaptureWindow(window), PathJoin(ExeDirectory(), name)));
  }

  static bool ClickButton(HWND button) {
    RECT r{};
    GetClientRect(button, &r);
    return ClickAt(button, POINT{r.right / 2, r.bottom / 2});
  }
};

// The four percentage labels of a status window, in row order.
std::vector<HWND> PercentLabels(HWND window) {
  std::vector<HWND> labels;
  for (int row = 0; row < 4; ++row) labels.push_back(GetDlgItem(window, 100 + row));
  return labels;
}

TEST_F(Accessories, MemoryStatusOpensOneMoreWindowEachTimeWithFourRefreshedPercentages) {
  // A small diet block, so the diet the button starts ends quickly.
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=1\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const WindowFilter statusWindows = Windows(L"Quorbell.MemoryStatusWindow");

  ChooseFromTray(main, MenuItem::cmdMemDiet);
  ASSERT_TRUE(WaitForWindow(statusWindows)) << "no window after choosing ﾒﾓﾘ状況";
  ChooseFromTray(main, MenuItem::cmdMemDiet);
  ASSERT_TRUE(WaitUntil([&] { return TopLevelWindows(statusWindows).size() == 2; })) << "the second choice opened no window";

  for (HWND window : TopLevelWindows(statusWindows)) {
    EXPECT_EQ(WindowText(window), "ﾒﾓﾘ状況");
    for (const char* caption : {"メモリ使用率", "物理メモリ", "ページングファイル", "仮想アドレス"})
      EXPECT_TRUE(FindChild(window, L"Static", caption)) << caption;
    const std::vector<HWND> labels = PercentLabels(window);
    for (HWND label : labels) {
      ASSERT_TRUE(label);
      EXPECT_TRUE(WaitUntil([&] { return IsPercent(WindowText(label)); })) << WindowText(label);
    }
    // The system-wide figures agree with what this process reads (give or take their movement).
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    const int physical = 100 - static_cast<int>(static_cast<double>(status.ullAvailPhys) / status.ullTotalPhys * 100);
    EXPECT_LE(std::abs(std::atoi(WindowText(labels[1]).c_str()) - physical), 5) << WindowText(labels[1]);
    // Every window keeps refreshing: a label spoilt from outside shows a percentage again soon.
    for (HWND label : labels) {
      ASSERT_NE(SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x")), 0);
      EXPECT_TRUE(WaitUntil([&] { return IsPercent(WindowText(label)); }, Millis(2000))) << "not refreshed";
    }
  }

  const HWND window = TopLevelWindows(statusWindows).front();
  SavePicture(window, L"MemoryStatusWindow.bmp");
  const HWND button = FindChild(window, L"Button", "ﾌﾗｸﾞﾒﾝﾃｰｼｮﾝの解消");
  ASSERT_TRUE(button);
  ASSERT_TRUE(HelperProcesses(app.Id()).empty());
  ASSERT_TRUE(ClickButton(button));
  EXPECT_TRUE(WaitUntil([&] { return !HelperProcesses(app.Id()).empty(); })) << "the button started no diet process";
  // A diet process ends by itself and leaves one resident program.
  EXPECT_TRUE(WaitUntil([&] { return HelperProcesses(app.Id()).empty(); })) << "the diet process did not end";
  EXPECT_EQ(ResidentMainWindows().size(), 1u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Accessories, StopwatchCountsRealSecondsStopsAndClears) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const WindowFilter stopwatches = Windows(L"Quorbell.StopwatchWindow");
  ChooseFromTray(main, MenuItem::stopWatch);
  const HWND watch = WaitForWindow(stopwatches);
  ASSERT_TRUE(watch) << "no stopwatch after choosing ｽﾄｯﾌﾟｳｫｯﾁ";
  EXPECT_EQ(WindowText(watch), "stopWatch");
  const HWND time = FindChild(watch, L"Static", std::nullopt);
  const HWND start = FindChild(watch, L"Button", "Start");
  const HWND clear = FindChild(watch, L"Button", "Clear");
  ASSERT_TRUE(time && start && clear);
  EXPECT_EQ(WindowText(time), "0:00:00");

  ASSERT_TRUE(ClickButton(start));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(start) == "Stop"; }));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(time) == "0:00:03"; }, Millis(6000))) << WindowText(time);
  SavePicture(watch, L"StopwatchWindow.bmp");
  ASSERT_TRUE(ClickButton(start));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(start) == "Start"; }));
  EXPECT_EQ(WindowText(time), "0:00:03");
  // Stopped: the count stays.
  EXPECT_FALSE(WaitUntil([&] { return WindowText(time) != "0:00:03"; }, Millis(1500))) << WindowText(time);

  // Chosen again: the same window comes forward with its count.
  ChooseFromTray(main, MenuItem::stopWatch);
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows(stopwatches).size() > 1; }, kQuietPeriod));
  EXPECT_EQ(WindowText(time), "0:00:03");

  // Clear while running: 0:00:00, stopped.
  ASSERT_TRUE(ClickButton(start));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(time) == "0:00:04"; }, Millis(3000))) << WindowText(time);
  ASSERT_TRUE(ClickButton(clear));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(time) == "0:00:00" && WindowText(start) == "Start"; }));
  EXPECT_FALSE(WaitUntil([&] { return WindowText(time) != "0:00:00"; }, Millis(1500))) << WindowText(time);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
