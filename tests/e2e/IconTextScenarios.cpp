// The background behind the desktop icon labels, driven through the real program against the
// harness's stand-in desktop (Wine has no desktop icon list of its own).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/StandInDesktop.h"

namespace qb::e2e {
namespace {

constexpr COLORREF kTransparent = CLR_NONE;
constexpr COLORREF kRed = RGB(255, 0, 0);
// Backgrounds the stand-in lists start with, unlike anything the program would set by itself.
constexpr COLORREF kFirstShellBackground = RGB(1, 2, 3);
constexpr COLORREF kRestartedShellBackground = RGB(4, 5, 6);

// True when the capture holds at least one pixel of that colour (the labels' background).
bool Shows(const ScreenImage& image, COLORREF colour) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (SameColour(image.At(x, y), colour)) return true;
  return false;
}

using IconText = ResidentScenario;

TEST_F(IconText, StoredChoiceAppliedAtStartAndTheLabelsOwnBackgroundBackAtExit) {
  const struct {
    const char* ini;
    COLORREF atStart;
  } cases[] = {
      {"", kTransparent},
      {"[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n", kRed},
      // No colour stored: the desktop colour.
      {"[ICONTEXT]\r\nCHECK=0\r\n", GetSysColor(COLOR_BACKGROUND)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    StandInDesktop desktop(kFirstShellBackground);
    ASSERT_TRUE(desktop.List());
    AppFolder folder(Ini::Text(c.ini));
    ASSERT_TRUE(Start(folder));
    EXPECT_TRUE(desktop.WaitForTextBackground(c.atStart)) << "text background " << desktop.TextBackground();
    EXPECT_EQ(app.CloseMainWindow(), 0u);
    // Whatever the choice was, the labels get back what they had, not the desktop colour.
    EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
  }
}

TEST_F(IconText, RedLabelsAsAPersonSeesThem) {
  StandInDesktop desktop(kFirstShellBackground);
  ASSERT_TRUE(desktop.List());
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  ASSERT_TRUE(Start(folder));
  ASSERT_TRUE(desktop.WaitForTextBackground(kRed));
  // The program asked for a repaint; the stand-in's thread paints when it gets to it.
  ScreenImage shot;
  EXPECT_TRUE(WaitUntil([&] {
    shot = CaptureWindow(desktop.Desktop());
    return Shows(shot, kRed);
  })) << "no red behind the labels on the screen";
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"icon-text-red.bmp")));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !Shows(CaptureWindow(desktop.Desktop()), kRed); })) << "red labels after exit";
  EXPECT_TRUE(SaveBitmap(CaptureWindow(desktop.Desktop()), PathJoin(ExeDirectory(), L"icon-text-after-exit.bmp")));
}

TEST_F(IconText, TrayItemAppliesTheStoredChoiceAgain) {
  StandInDesktop desktop(kFirstShellBackground);
  ASSERT_TRUE(desktop.List());
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(desktop.WaitForTextBackground(kTransparent));

  folder.WriteIni("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n");
  // A right-button press on the tray icon, as the shell reports it.
  ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));
  HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuICON)));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_TRUE(desktop.WaitForTextBackground(kRed)) << "text background " << desktop.TextBackground();

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  // The original is the one from before the first change, not the program's transparent one.
  EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
}

TEST_F(IconText, ShellRestartAppliesTheChoiceToTheNewIconList) {
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  auto desktop = std::make_unique<StandInDesktop>(kFirstShellBackground);
  ASSERT_TRUE(desktop->List());
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(desktop->WaitForTextBackground(kRed));

  // The shell restarts: a new desktop with its own default, then the TaskbarCreated broadcast.
  desktop.reset();
  desktop = std::make_unique<StandInDesktop>(kRestartedShellBackground);
  ASSERT_TRUE(desktop->List());
  ASSERT_EQ(desktop->TextBackground(), kRestartedShellBackground);
  ASSERT_TRUE(Post(main, RegisterWindowMessageW(L"TaskbarCreated")));
  EXPECT_TRUE(desktop->WaitForTextBackground(kRed)) << "text background " << desktop->TextBackground();

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(desktop->TextBackground(), kRestartedShellBackground);
}

TEST_F(IconText, DesktopViewUnderAWorkerWIsFoundToo) {
  StandInDesktop desktop(kFirstShellBackground, StandInDesktop::ViewParent::WorkerW);
  ASSERT_TRUE(desktop.List());
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  ASSERT_TRUE(Start(folder));
  EXPECT_TRUE(desktop.WaitForTextBackground(kRed)) << "text background " << desktop.TextBackground();
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
}

TEST_F(IconText, WithoutAnIconListNothingHappensAndNothingIsReported) {
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));
  HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuICON)));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  WindowFilter visible;
  visible.processId = app.Id();
  visible.visibleOnly = true;
  EXPECT_TRUE(StaysWithoutWindow(visible)) << "something was shown without an icon list";
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
