// A monitor taken away while the program runs: the windows that stood on it come to the remaining
// screen, and the places they store stay the ones the user gave them there.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "harness/Harness.h"

namespace qb::e2e {
namespace {

using namespace std::chrono_literals;

bool OnTheScreen(HWND hwnd) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect(hwnd);
  return r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom;
}

class ScreenChange : public ResidentScenario {
protected:
  HWND Window(const wchar_t* className) {
    WindowFilter filter = VisibleWindowsOf(app.Id(), className);
    return WaitForWindow(filter);
  }
};

TEST_F(ScreenChange, WindowsLeftOnAMonitorThatWentAwayComeToTheScreenAndKeepTheirStoredPlaces) {
  AppFolder folder(Ini::Text(
      "[DESKTOPMEMO]\r\nMEMO1=二枚目の画面\r\nTOP1=1500\r\nLEFT1=3000\r\nWIDTH1=3000\r\nHEIGHT1=1500\r\n"
      "[DESKTOPCAL]\r\nEnable=True\r\nTop=3000\r\nLeft=6000\r\n"
      "[DESKTOPCLOCK]\r\nEnable=True\r\nTop=4500\r\nLeft=9000\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND memo = Window(L"Quorbell.MemoWindow");
  const HWND calendar = Window(L"Quorbell.CalendarWindow");
  const HWND clock = Window(L"Quorbell.ClockWindow");
  ASSERT_TRUE(memo && calendar && clock);

  // The three stood on a second monitor to the right, which is then unplugged: Wine has one
  // screen, so the windows are put where that monitor was and the system's notice follows.
  const int beyond = GetSystemMetrics(SM_CXVIRTUALSCREEN) + 400;
  // One above the other, so that they do not cover each other once back.
  const struct {
    HWND window;
    int top;
  } places[] = {{memo, 20}, {calendar, 150}, {clock, 550}};
  for (const auto& p : places) {
    SetWindowPos(p.window, nullptr, beyond, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_FALSE(OnTheScreen(p.window));
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
                      MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  for (HWND w : {memo, calendar, clock}) EXPECT_TRUE(WaitUntil([&] { return OnTheScreen(w); }));
  std::this_thread::sleep_for(500ms);  // let the moved windows repaint before the picture
  if (HWND desktop = GetDesktopWindow()) {
    const ScreenImage shot = CaptureWindow(desktop);
    EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"after-a-monitor-went-away.bmp")));
  }

  // Closed without being moved again: each stores the place the user gave it on the monitor that
  // went away (15 twips a pixel), ready for the day it comes back.
  const std::string beyondTwips = std::to_string(beyond * 15);
  ASSERT_TRUE(ClickAt(clock, {50, 70}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(clock); }));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "8250");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Left"), beyondTwips);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "TOP1"), "300");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "LEFT1"), beyondTwips);
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "MEMO1"), "二枚目の画面");
}

}  // namespace
}  // namespace qb::e2e
