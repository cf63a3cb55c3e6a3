// The program without a mouse: the tray icon's keyboard events (the newer notify-icon protocol,
// posted to the main window as the shell posts them), the menu worked with real keys, and the
// accessory windows with controls walked with Tab, Enter and Escape typed through SendInput.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/StandInTaskBar.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kIconCallback = WM_MOUSEMOVE;
// Where the shell says the icon is, for the keyboard's menu.
constexpr POINT kAnchor{300, 200};

// An icon event as the shell posts it under the newer protocol: the event and the icon id in
// lParam, the anchor point in wParam.
bool PostIconEvent(HWND main, UINT event, POINT anchor = kAnchor) {
  return Post(main, kIconCallback, MAKEWPARAM(anchor.x, anchor.y), MAKELPARAM(event, kIconId));
}

class KeyboardUse : public ResidentScenario {
protected:
  WindowFilter PopupMenus() const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kPopupMenuClass);
    return filter;
  }

  // Presses Down until `item` is selected and Enter, with real keys, in the menu in front.
  static bool ChooseWithRealKeys(MenuItem item) {
    for (int i = 0; i <= static_cast<int>(item); ++i) {
      if (!PressKeys({VK_DOWN})) return false;
    }
    return PressKeys({VK_RETURN});
  }
};

// Keyboard events of the icon open the menu at the icon; leaving it with Escape hands the focus
// back to the notification area; Enter on an item runs it. The icon asked for protocol 4.
TEST_F(KeyboardUse, EnterSpaceAndTheMenuKeyOnTheIconOpenTheMenuThereAndEnterOnAnItemRunsIt) {
  const StandInTaskBar tray(StandInTaskBar::Kind::Present);
  ASSERT_TRUE(tray.Ready());
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);

  const auto versions = tray.NotifyRequestsOfKind(NIM_SETVERSION);
  ASSERT_EQ(versions.size(), 1u) << tray.NotifyRequests() << " notify requests in all";
  // The request carries the version right after the tip, state, state mask and balloon text.
  constexpr size_t kVersionOffset = 4 * sizeof(UINT) + 128 * sizeof(WCHAR) + 2 * sizeof(DWORD) + 256 * sizeof(WCHAR);
  ASSERT_GE(versions[0].size(), kVersionOffset + sizeof(UINT));
  UINT version = 0;
  memcpy(&version, versions[0].data() + kVersionOffset, sizeof(version));
  EXPECT_EQ(version, static_cast<UINT>(NOTIFYICON_VERSION_4));

  for (const UINT event : {static_cast<UINT>(NIN_KEYSELECT), static_cast<UINT>(WM_CONTEXTMENU)}) {
    SCOPED_TRACE(event);
    const size_t focusReturnsBefore = tray.NotifyRequestsOfKind(NIM_SETFOCUS).size();
    ASSERT_TRUE(PostIconEvent(main, event));
    const HWND menu = WaitForPopupMenu(app.Id());
    ASSERT_TRUE(menu) << "no menu for the icon's keyboard event";
    const auto items = ReadPopupMenu(menu);
    ASSERT_TRUE(items);
    EXPECT_EQ(items->size(), 15u) << "the tray-only items are missing";
    const RECT at = WindowRect(menu);
    EXPECT_EQ(at.left, kAnchor.x);
    EXPECT_EQ(at.top, kAnchor.y);
    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    ASSERT_TRUE(WaitForNoPopupMenu(app.Id())) << "Escape did not close the menu";
    EXPECT_TRUE(WaitUntil([&] { return tray.NotifyRequestsOfKind(NIM_SETFOCUS).size() == focusReturnsBefore + 1; }))
        << "the focus was not handed back to the notification area";
  }

  // Enter on a chosen item runs it (and the focus stays with the window it opened).
  const size_t focusReturnsBefore = tray.NotifyRequestsOfKind(NIM_SETFOCUS).size();
  ASSERT_TRUE(PostIconEvent(main, NIN_KEYSELECT));
  ASSERT_TRUE(WaitForPopupMenu(app.Id()));
  ASSERT_TRUE(ChooseWithRealKeys(MenuItem::stopWatch));
  WindowFilter stopwatches = VisibleWindowsOf(app.Id(), L"Quorbell.StopwatchWindow");
  EXPECT_TRUE(WaitForWindow(stopwatches)) << "Enter on ｽﾄｯﾌﾟｳｫｯﾁ opened no stopwatch";
  EXPECT_EQ(tray.NotifyRequestsOfKind(NIM_SETFOCUS).size(), focusReturnsBefore);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// Under the newer protocol a right click reports press, release and a context-menu event, all
// queued before the program sees the first: the menu opens once, at the press.
TEST_F(KeyboardUse, ARightClickReportedWithItsContextMenuEventOpensTheMenuOnce) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const POINT pointer{120, 80};
  ASSERT_TRUE(MovePointerTo(pointer));
  for (int click = 0; click < 2; ++click) {
    SCOPED_TRACE(click);
    for (const UINT event : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}) ASSERT_TRUE(PostIconEvent(main, event, pointer));
    const HWND menu = WaitForPopupMenu(app.Id());
    ASSERT_TRUE(menu);
    EXPECT_EQ(TopLevelWindows(PopupMenus()).size(), 1u);
    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    ASSERT_TRUE(WaitForNoPopupMenu(app.Id()));
    EXPECT_TRUE(StaysWithoutWindow(PopupMenus())) << "a second menu opened after the first was closed";
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// One row per accessory window with controls: Tab walks its controls in order and round, Shift+Tab
// walks back, Enter presses the focused button, Escape closes the window or, for the stopwatch,
// whose count it would throw away, does nothing.
struct WindowKeys {
  const char* name;
  MenuItem item;
  const wchar_t* className;
  std::vector<std::string> tabOrder;  // captions, "" for a text box; the first has the focus at open
  std::string pressedCaption;         // the first control's caption after Enter on it
  bool escapeCloses;
};

const WindowKeys kWindows[] = {
    {"stopwatch", MenuItem::stopWatch, L"Quorbell.StopwatchWindow", {"Start", "Clear"}, "Stop", false},
    {"colour chooser", MenuItem::colorChoose, L"Quorbell.ColourChooser", {"取得", ""}, "停止", true},
    {"memory status", MenuItem::cmdMemDiet, L"Quorbell.MemoryStatusWindow", {"ﾌﾗｸﾞﾒﾝﾃｰｼｮﾝの解消"}, "ﾌﾗｸﾞﾒﾝﾃｰｼｮﾝの解消", true},
};

TEST_F(KeyboardUse, TabEnterAndEscapeWorkEveryAccessoryWindowWithControls) {
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=1\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  for (const WindowKeys& row : kWindows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(PostIconEvent(main, WM_CONTEXTMENU));
    ASSERT_TRUE(WaitForPopupMenu(app.Id()));
    ASSERT_TRUE(ChooseWithRealKeys(row.item));
    ASSERT_TRUE(WaitForNoPopupMenu(app.Id()));
    WindowFilter filter = VisibleWindowsOf(app.Id(), row.className);
    const HWND window = WaitForWindow(filter);
    ASSERT_TRUE(window);
    ASSERT_TRUE(BringToFront(window));

    std::vector<HWND> controls;
    for (const std::string& caption : row.tabOrder) {
      controls.push_back(caption.empty() ? FindChild(window, L"Edit", std::nullopt) : FindChild(window, L"Button", caption));
      ASSERT_TRUE(controls.back()) << caption;
    }
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == controls[0]; })) << "the window opened without focus on its first control";
    // Round twice forward, then back.
    for (size_t step = 1; step <= 2 * controls.size(); ++step) {
      ASSERT_TRUE(PressKeys({VK_TAB}));
      const HWND expected = controls[step % controls.size()];
      EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == expected; })) << "Tab " << step;
    }
    for (size_t step = 1; step <= controls.size(); ++step) {
      ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
      const HWND expected = controls[(controls.size() * 2 - step) % controls.size()];
      EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == expected; })) << "Shift+Tab " << step;
    }
    ASSERT_EQ(FocusOf(window), controls[0]);
    // The keyboard was used: the focused control shows its focus rectangle.
    const auto uiState = Send(controls[0], WM_QUERYUISTATE);
    ASSERT_TRUE(uiState);
    EXPECT_EQ(*uiState & UISF_HIDEFOCUS, 0) << "the focus rectangle is hidden";
    if (row.item == MenuItem::stopWatch) {
      EXPECT_TRUE(SaveBitmap(CaptureWindow(window), PathJoin(ExeDirectory(), L"StopwatchKeyboardFocus.bmp")));
    }

    const std::set<DWORD> helpersBefore = HelperProcesses(app.Id());
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    if (row.item == MenuItem::cmdMemDiet) {
      EXPECT_TRUE(WaitUntil([&] { return HelperProcesses(app.Id()).size() > helpersBefore.size(); })) << "Enter started no diet";
      EXPECT_TRUE(WaitUntil([&] { return HelperProcesses(app.Id()).empty(); }));
    } else {
      EXPECT_TRUE(WaitUntil([&] { return WindowText(controls[0]) == row.pressedCaption; })) << WindowText(controls[0]);
      // Space, the button's own key, presses it back.
      ASSERT_TRUE(PressKeys({VK_SPACE}));
      EXPECT_TRUE(WaitUntil([&] { return WindowText(controls[0]) == row.tabOrder[0]; })) << WindowText(controls[0]);
    }

    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    if (row.escapeCloses) {
      EXPECT_TRUE(WaitForNoWindow(filter)) << "Escape did not close the window";
    } else {
      EXPECT_FALSE(WaitForNoWindow(filter, kQuietPeriod)) << "Escape closed the window";
      ASSERT_TRUE(PostClose(window));
      EXPECT_TRUE(WaitForNoWindow(filter));
    }
  }

  // The open-anything box has one text box and keys of its own; Escape puts it away.
  ASSERT_TRUE(PostIconEvent(main, WM_CONTEXTMENU));
  ASSERT_TRUE(WaitForPopupMenu(app.Id()));
  ASSERT_TRUE(ChooseWithRealKeys(MenuItem::mnuOpen));
  WindowFilter boxes = VisibleWindowsOf(app.Id(), L"Quorbell.OpenAnythingWindow");
  const HWND box = WaitForWindow(boxes);
  ASSERT_TRUE(box);
  ASSERT_TRUE(BringToFront(box));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(box) == FindChild(box, L"Edit", std::nullopt); }));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitForNoWindow(boxes)) << "Escape did not put the open-anything box away";

  EXPECT_TRUE(app.Running());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
