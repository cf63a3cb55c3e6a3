// The shutdown button, driven through the real program: the button picture at its stored place,
// dragged by the left button, and the right and middle buttons storing the place and asking the
// task bar for the shell's shut-down dialog. The test stands in for the task bar (see
// harness/StandInTaskBar.h): present, to see the request arrive, or absent.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/StandInTaskBar.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kButtonClass[] = L"Quorbell.ShutdownButtonWindow";
constexpr wchar_t kPictureClass[] = L"Quorbell.PictureBox";
// A point on the button away from its marks, where every button press lands.
constexpr POINT kOnTheButton{56, 24};

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

bool Equal(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

bool MovesTo(HWND window, const RECT& place) {
  return WaitUntil([&] { return Equal(WindowRect(window), place); });
}

bool Reddish(COLORREF c) { return GetRValue(c) >= 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }

class ShutdownButton : public ResidentScenario {
protected:
  // Chooses PC終了ﾎﾞﾀﾝ from the tray menu with the keyboard; answers the button once it shows.
  HWND OpenButton(HWND main) {
    if (!Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN)) return nullptr;
    const HWND menu = WaitForPopupMenu(app.Id());
    if (menu == nullptr || !ChooseByKeyboard(menu, static_cast<int>(MenuItem::shutdown))) return nullptr;
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
    return WaitForWindow(Buttons());
  }

  WindowFilter Buttons() const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kButtonClass);
    return filter;
  }

  bool StoredPlaceIs(const AppFolder& folder, const char* top, const char* left) const {
    return folder.ReadSetting("SSWITCH", "TOP") == top && folder.ReadSetting("SSWITCH", "LEFT") == left;
  }
};

TEST_F(ShutdownButton, StandsAtItsPlaceMovesWithTheLeftButtonAndAnyOtherButtonStoresThePlaceAndAsksTheTaskBar) {
  AppFolder folder(Ini::Text("[SSWITCH]\r\nTOP=1500\r\nLEFT=3000\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND button = OpenButton(main);
  ASSERT_TRUE(button) << "no button after choosing PC終了ﾎﾞﾀﾝ";
  // 960 x 465 twips at the stored place; borderless, and no button on the task bar.
  EXPECT_TRUE(Equal(WindowRect(button), RECT{200, 100, 264, 131})) << Describe(WindowRect(button));
  EXPECT_EQ(Style(button) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU), WS_POPUP);
  EXPECT_TRUE(ExStyle(button) & WS_EX_TOOLWINDOW);
  const HWND picture = FindChild(button, kPictureClass, std::nullopt);
  ASSERT_TRUE(picture);

  // The program's own button picture: a dark rim round a red face with a white power sign.
  ScreenImage shot;
  const bool painted = WaitUntil([&] {
    shot = CaptureWindow(button);
    return SameColour(shot.At(0, 0), RGB(90, 0, 0), 8);
  });
  EXPECT_TRUE(painted) << "no rim: " << std::hex << shot.At(0, 0);
  ASSERT_FALSE(shot.Empty());
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"shutdown-button.bmp")));
  EXPECT_TRUE(Reddish(shot.At(5, 15))) << std::hex << shot.At(5, 15);
  EXPECT_TRUE(Reddish(shot.At(kOnTheButton.x, kOnTheButton.y))) << std::hex << shot.At(kOnTheButton.x, kOnTheButton.y);
  EXPECT_TRUE(SameColour(shot.At(17, 8), RGB(255, 255, 255), 40)) << "power sign: " << std::hex << shot.At(17, 8);

  // Chosen again: still one button.
  ASSERT_TRUE(OpenButton(main) == button);
  EXPECT_EQ(TopLevelWindows(Buttons()).size(), 1u);

  const StandInTaskBar taskBar(StandInTaskBar::Kind::Present);
  ASSERT_TRUE(taskBar.Ready());
  ASSERT_EQ(StandInTaskBar::Found(), taskBar.Window()) << "the program would find another task bar";

  // The left button moves it; moving stores nothing and asks nothing.
  ASSERT_TRUE(DragAt(picture, kOnTheButton, {30, 20}));
  EXPECT_TRUE(MovesTo(button, RECT{230, 120, 294, 151})) << Describe(WindowRect(button));
  EXPECT_TRUE(StoredPlaceIs(folder, "1500", "3000"));
  EXPECT_TRUE(taskBar.CloseRequests().empty());

  // The right button: the place is stored, then the task bar gets WM_CLOSE with both values 0.
  ASSERT_TRUE(ClickAt(picture, kOnTheButton, MouseButton::Right));
  std::vector<StandInTaskBar::Request> requests = taskBar.WaitForCloseRequests(1);
  ASSERT_EQ(requests.size(), 1u) << "the task bar was not asked";
  EXPECT_EQ(requests[0].wParam, 0u);
  EXPECT_EQ(requests[0].lParam, 0);
  EXPECT_TRUE(StoredPlaceIs(folder, "1800", "3450"))
      << folder.ReadSetting("SSWITCH", "TOP") << " " << folder.ReadSetting("SSWITCH", "LEFT");

  // The middle button does the same.
  ASSERT_TRUE(DragAt(picture, kOnTheButton, {-20, 10}));
  ASSERT_TRUE(MovesTo(button, RECT{210, 130, 274, 161})) << Describe(WindowRect(button));
  ASSERT_TRUE(ClickAt(picture, kOnTheButton, MouseButton::Middle));
  requests = taskBar.WaitForCloseRequests(2);
  EXPECT_EQ(requests.size(), 2u);
  EXPECT_TRUE(StoredPlaceIs(folder, "1950", "3150"));
  EXPECT_TRUE(IsWindowVisible(button)) << "the button stays";

  // Moved again and the program ended without a request: the stored place stays.
  ASSERT_TRUE(DragAt(picture, kOnTheButton, {40, 40}));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(button).top == 170; })) << Describe(WindowRect(button));
  EXPECT_EQ(taskBar.CloseRequests().size(), 2u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(StoredPlaceIs(folder, "1950", "3150"));
}

TEST_F(ShutdownButton, APlaceOnNoMonitorShowsOnTheScreenAndWithoutATaskBarARequestOnlyStoresThePlace) {
  // 20 000 pixels to the right of the screen.
  AppFolder folder(Ini::Text("[SSWITCH]\r\nTOP=1500\r\nLEFT=300000\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND button = OpenButton(main);
  ASSERT_TRUE(button);
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT shown = WindowRect(button);
  EXPECT_TRUE(Equal(shown, RECT{work.right - 64, 100, work.right, 131})) << Describe(shown);
  const HWND picture = FindChild(button, kPictureClass, std::nullopt);
  ASSERT_TRUE(picture);

  const StandInTaskBar noTaskBar(StandInTaskBar::Kind::Absent);
  ASSERT_TRUE(noTaskBar.Ready());
  ASSERT_EQ(StandInTaskBar::Found(), nullptr);

  // Not moved yet: the settings file is not touched, and nothing shows.
  const auto untouched = LastWriteTime(folder.IniPath());
  ASSERT_TRUE(ClickAt(picture, kOnTheButton, MouseButton::Right));
  EXPECT_TRUE(StaysWithoutWindow({app.Id(), L"#32770", std::nullopt, true}));
  EXPECT_TRUE(Send(main, WM_NULL).has_value()) << "the program stopped answering";
  EXPECT_EQ(LastWriteTime(folder.IniPath()), untouched) << "the stored place was rewritten";
  EXPECT_TRUE(StoredPlaceIs(folder, "1500", "300000"));

  // Moved by the user: the place it shows is stored. The file is read only once the press has been
  // handled: under Wine a file held open by a reader cannot be replaced, and the program's write
  // would be lost.
  ASSERT_TRUE(DragAt(picture, kOnTheButton, {-30, 20}));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(button).top == 120; })) << Describe(WindowRect(button));
  const std::string left = std::to_string(WindowRect(button).left * 15);
  ASSERT_TRUE(ClickAt(picture, kOnTheButton, MouseButton::Right));
  ASSERT_TRUE(WaitUntil([&] { return LastWriteTime(folder.IniPath()) != untouched; })) << "nothing stored";
  ASSERT_TRUE(Send(main, WM_NULL).has_value()) << "the program stopped answering";
  EXPECT_TRUE(StoredPlaceIs(folder, "1800", left.c_str()))
      << folder.ReadSetting("SSWITCH", "TOP") << " " << folder.ReadSetting("SSWITCH", "LEFT");
  EXPECT_TRUE(StaysWithoutWindow({app.Id(), L"#32770", std::nullopt, true}));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
