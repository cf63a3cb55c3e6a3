// The analog clock, driven through the real program: opening at start-up at its stored place, cut
// to a circle, its face and hands, dragging, the double-click that closes it and stores its place,
// one more clock per tray-menu choice, a stored place on no monitor, and what it costs when idle.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kClockClass[] = L"Quorbell.ClockWindow";
constexpr char kEnabled[] = "[DESKTOPCLOCK]\r\nEnable=True\r\n";

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

bool Equal(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

long long PaintCount(HWND clock) {
  DWORD_PTR answer = 0;
  const UINT message = RegisterWindowMessageW(L"Quorbell.ClockPaintCount");
  if (!SendMessageTimeoutW(clock, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return static_cast<long long>(answer);
}

class Clock : public ResidentScenario {
protected:
  WindowFilter Clocks() const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kClockClass);
    return filter;
  }
  HWND StartWithClock(AppFolder& folder) {
    if (!Start(folder)) return nullptr;
    HWND clock = WaitForWindow(Clocks());
    // Shown means painted once its first paint count is in.
    if (clock) {
      EXPECT_TRUE(WaitUntil([&] { return PaintCount(clock) > 0; }));
    }
    return clock;
  }
};

TEST_F(Clock, OpensRoundAtItsStoredPlaceTicksOnceASecondAndADoubleClickStoresItsPlace) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "Top=1500\r\nLeft=3000\r\n"));
  HWND clock = StartWithClock(folder);
  ASSERT_TRUE(clock);
  EXPECT_TRUE(Equal(WindowRect(clock), RECT{200, 100, 300, 200})) << Describe(WindowRect(clock));

  // Cut to the circle inside (1, 1)-(100, 100).
  UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(clock, region.get()), COMPLEXREGION) << "no round region";
  RECT box{};
  GetRgnBox(region.get(), &box);
  // The region's edges may stop a pixel short of the box's right and bottom.
  EXPECT_TRUE(box.left == 1 && box.top == 1 && box.right >= 99 && box.right <= 100 && box.bottom >= 99 &&
              box.bottom <= 100)
      << Describe(box);
  EXPECT_TRUE(PtInRegion(region.get(), 50, 50));
  EXPECT_TRUE(PtInRegion(region.get(), 50, 2));
  EXPECT_FALSE(PtInRegion(region.get(), 5, 5)) << "the corners are cut away";
  EXPECT_FALSE(PtInRegion(region.get(), 95, 95));

  // The program's own face stands in for the missing VynClock.bmp: white between the hour marks
  // where no hand reaches, the hands meeting in the middle.
  const ScreenImage shot = CaptureWindow(clock);
  ASSERT_FALSE(shot.Empty());
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"clock-window.bmp")));
  EXPECT_TRUE(SameColour(shot.At(61, 8), RGB(255, 255, 255), 0)) << std::hex << shot.At(61, 8);
  EXPECT_FALSE(SameColour(shot.At(50, 50), RGB(255, 255, 255), 0)) << "no hands at the centre";
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Enable"), "True");

  // Idle: one repaint per second, not one per 10 ms.
  const long long before = PaintCount(clock);
  std::this_thread::sleep_for(10s);
  const long long painted = PaintCount(clock) - before;
  std::printf("clock paints over 10 s of idling: %lld\n", painted);
  EXPECT_GE(painted, 8);
  EXPECT_LE(painted, 13);

  ASSERT_TRUE(ClickAt(clock, {50, 70}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(Clocks())) << "a double-click closes the clock";
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "1500");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Left"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Enable"), "False");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(clock); })) << "closed means gone, not hidden";
  EXPECT_EQ(app.CloseMainWindow(), 0u);

  // The next start finds it closed and opens none.
  AppProcess again = AppProcess::Start(folder);
  ASSERT_TRUE(again && again.WaitUntilResident());
  WindowFilter any = Clocks();
  any.processId = again.Id();
  EXPECT_FALSE(WaitForWindow(any, kQuietPeriod)) << "a closed clock came back";
  EXPECT_EQ(again.CloseMainWindow(), 0u);
}

TEST_F(Clock, AFacePictureBesideItIsUsedAndTheLeftButtonDragsItToWhereADoubleClickStoresIt) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "Top=1500\r\nLeft=3000\r\n"));
  // A face picture of the user's own under the default name, in the program's folder.
  constexpr COLORREF kFace = RGB(0, 128, 255);
  ScreenImage face;
  face.width = face.height = 100;
  face.pixels.assign(100 * 100, 0x000080FF);  // 0x00RRGGBB
  ASSERT_TRUE(SaveBitmap(face, folder.PathOf(L"VynClock.bmp")));
  HWND clock = StartWithClock(folder);
  ASSERT_TRUE(clock);
  const ScreenImage shot = CaptureWindow(clock);
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"clock-window-own-face.bmp")));
  EXPECT_TRUE(SameColour(shot.At(61, 8), kFace, 8)) << std::hex << shot.At(61, 8) << " is not the picture's";
  // Both points lie beyond the reach of the longest hand (35 pixels from the centre).
  EXPECT_TRUE(SameColour(shot.At(8, 50), kFace, 8)) << std::hex << shot.At(8, 50) << " is not the picture's";

  // The left button drags it (the stored place stays until it is closed).
  ASSERT_TRUE(DragAt(clock, {50, 70}, {30, 20}));
  EXPECT_TRUE(WaitUntil([&] { return Equal(WindowRect(clock), RECT{230, 120, 330, 220}); }))
      << Describe(WindowRect(clock));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "1500") << "moving does not store the place";

  ASSERT_TRUE(ClickAt(clock, {50, 70}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(Clocks()));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "1800");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Left"), "3450");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Clock, EveryTrayMenuChoiceOpensOneMoreClock) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  EXPECT_FALSE(WaitForWindow(Clocks(), kQuietPeriod)) << "a clock opened without being asked for";
  for (size_t open = 1; open <= 2; ++open) {
    ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));  // the shell's right press on the icon
    HWND menu = WaitForPopupMenu(app.Id());
    ASSERT_TRUE(menu);
    const auto items = ReadPopupMenu(menu);
    ASSERT_TRUE(items);
    int index = -1;
    for (size_t i = 0; i < items->size(); ++i) {
      if ((*items)[i].caption == "ｱﾅﾛｸﾞ時計") index = static_cast<int>(i);
    }
    ASSERT_EQ(index, static_cast<int>(MenuItem::mnuClock));
    ASSERT_TRUE(ChooseByKeyboard(menu, index));
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(Clocks()).size() == open; }))
        << TopLevelWindows(Clocks()).size() << " clocks, " << open << " wanted";
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  }
  // Both stand at the stored place (the origin by default) and mark the clock open.
  for (HWND clock : TopLevelWindows(Clocks())) EXPECT_TRUE(Equal(WindowRect(clock), RECT{0, 0, 100, 100}));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Enable"), "True");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Clock, AStoredPlaceOnNoMonitorShowsOnTheScreenAndIsKeptUntilTheUserMovesIt) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "Top=-90000\r\nLeft=150000\r\n"));
  HWND clock = StartWithClock(folder);
  ASSERT_TRUE(clock);
  RECT shown = WindowRect(clock);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT overlap{};
  EXPECT_TRUE(IntersectRect(&overlap, &shown, &work)) << Describe(shown) << " is off the screen";
  EXPECT_EQ(shown.right - shown.left, 100);

  ASSERT_TRUE(ClickAt(clock, {50, 70}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(Clocks()));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "-90000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Left"), "150000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Enable"), "False");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
