// LoadDesktopMemos in this process, as the settings dialog will call it: every stored memo on the
// screen exactly once, each open memo storing itself before it is closed, and memos and an open
// desktop calendar keeping the places they have on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "calendar/CalendarWindow.h"
#include "common/FileSystem.h"
#include "common/OpenWork.h"
#include "memo/DesktopMemos.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"
#include "settings/Settings.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

class DesktopMemosWin : public testing::Test {
protected:
  void SetUp() override {
    UseSettingsFile(folder.File("Quorbell.ini"), SystemFileSystem());
    SetUpDesktopMemos(savers);
  }
  void TearDown() override {
    for (HWND memo : MemoWindows) {
      if (memo != nullptr) DestroyWindow(memo);
    }
    if (CalendarWindowHandle != nullptr) DestroyWindow(CalendarWindowHandle);
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
  }
  static int OpenCount() {
    int open = 0;
    for (HWND memo : MemoWindows) open += memo != nullptr && IsWindowVisible(memo);
    return open;
  }
  static RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }

  test::TempFolder folder{L"qb-desktop-memos"};
  OpenWorkSavers savers;
};

TEST_F(DesktopMemosWin, LoadingAgainKeepsEveryMemoOnceWhereItStandsAndTheCalendarWhereItWasDragged) {
  ASSERT_TRUE(test::WriteBytes(folder.File("Quorbell.ini"),
                               "[DESKTOPMEMO]\r\nMEMO2=two\r\nTOP2=1500\r\nLEFT2=1500\r\n"
                               "MEMO9=nine\r\nTOP9=3000\r\nLEFT9=4500\r\n[DESKTOPCAL]\r\nTop=0\r\nLeft=0\r\n"));
  LoadDesktopMemos();
  EXPECT_EQ(OpenCount(), 2);
  ASSERT_NE(MemoWindows[2], nullptr);
  ASSERT_NE(MemoWindows[9], nullptr);
  // The user moves memo 2 and types into it; the calendar is dragged away from its stored place.
  SetWindowPos(MemoWindows[2], nullptr, 333, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextW(FindWindowExW(MemoWindows[2], nullptr, L"Edit", nullptr), L"two, edited");
  ASSERT_NE(OpenDesktopCalendar(), nullptr);
  SetWindowPos(CalendarWindowHandle, nullptr, 410, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND oldCalendar = CalendarWindowHandle;

  LoadDesktopMemos();
  PumpPendingMessages();
  EXPECT_EQ(OpenCount(), 2) << "every stored memo exactly once";
  ASSERT_NE(MemoWindows[2], nullptr);
  EXPECT_EQ(Rect(MemoWindows[2]).left, 333);
  EXPECT_EQ(Rect(MemoWindows[2]).top, 222);
  wchar_t text[64] = {};
  GetWindowTextW(FindWindowExW(MemoWindows[2], nullptr, L"Edit", nullptr), text, 64);
  EXPECT_EQ(Narrow(text), "two, edited") << "the memo stored itself before it was closed";
  ASSERT_NE(CalendarWindowHandle, nullptr);
  EXPECT_NE(CalendarWindowHandle, oldCalendar);
  EXPECT_FALSE(IsWindow(oldCalendar));
  EXPECT_EQ(Rect(CalendarWindowHandle).left, 410);
  EXPECT_EQ(Rect(CalendarWindowHandle).top, 120);
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Left", ""), "0") << "re-opening stores no place";
}

}  // namespace
}  // namespace qb
