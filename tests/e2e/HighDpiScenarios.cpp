// The program's windows on a screen of 144 dots per inch (150 %), driven through the real program:
// each keeps the layout it has at 96, one and a half times larger, fonts keeping their point sizes;
// places stored in twips keep their meaning (a settings file written at 96 opens the windows at
// the same places of the scaled desktop); and a window told that it moved to a monitor of another
// DPI lays itself out for the DPI it is told. scripts/run-tests.sh runs these suites in a bed of
// their own whose Wine says 144 dots per inch; on a screen of another DPI they skip.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "HotkeySupport.h"
#include "app/MenuModel.h"
#include "calendar/CivilDate.h"
#include "harness/Harness.h"
#include "harness/InProcess.h"
#include "harness/PopupMenus.h"
#include "harness/ProbeTarget.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr int kHighDpi = 144;
constexpr wchar_t kCalendarClass[] = L"Quorbell.CalendarWindow";
constexpr wchar_t kEditorClass[] = L"Quorbell.DayNoteEditor";
constexpr wchar_t kPictureClass[] = L"Quorbell.PictureBox";
constexpr wchar_t kMemoClass[] = L"Quorbell.MemoWindow";
constexpr wchar_t kClockClass[] = L"Quorbell.ClockWindow";
constexpr COLORREF kPaleYellow = 5373951;  // the memos' background
constexpr char kCalendarEnabled[] = "[DESKTOPCAL]\r\nEnable=True\r\n";
constexpr COLORREF kDarkBlue = RGB(0, 18, 122);  // the calendar's background
constexpr COLORREF kSaturdayBlue = RGB(0, 0, 255);

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

RECT RectOnParent(HWND child) {
  RECT r = WindowRect(child);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// How many pixels of a part of a capture have about that colour.
int CountColour(const ScreenImage& shot, const RECT& part, COLORREF colour, int tolerance = 40) {
  int count = 0;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) count += SameColour(shot.At(x, y), colour, tolerance) ? 1 : 0;
  return count;
}

class HighDpiScenario : public ResidentScenario {
protected:
  void SetUp() override {
    if (const int dpi = ScreenDpi(); dpi != kHighDpi) {
      const char* bed = std::getenv("QB_BED_DPI");
      if (bed != nullptr && std::atoi(bed) == kHighDpi) FAIL() << "the bed was set to 144 dpi, the screen says " << dpi;
      GTEST_SKIP() << "needs a screen of 144 dots per inch (scripts/winebed.sh exec --dpi 144 ...)";
    }
    ResidentScenario::SetUp();
  }

  WindowFilter Filter(const wchar_t* className) const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), className);
    return filter;
  }

  // The calendar once it is shown and drawn (its bottom-right corner, where no text lies, has its
  // background colour).
  HWND WaitForCalendar() {
    const HWND calendar = WaitForWindow(Filter(kCalendarClass));
    if (calendar != nullptr) {
      EXPECT_TRUE(WaitUntil([&] {
        const ScreenImage shot = CaptureWindow(calendar);
        return !shot.Empty() && SameColour(shot.At(shot.width - 2, shot.height - 2), kDarkBlue);
      }));
    }
    return calendar;
  }

  static HWND Picture(HWND calendar) { return FindChild(calendar, kPictureClass, std::nullopt); }
  static HWND PrevButton(HWND calendar) { return FindChild(calendar, L"Button", "<"); }
  static HWND NextButton(HWND calendar) { return FindChild(calendar, L"Button", ">"); }

  static HWND TextBox(HWND memo) { return FindChild(memo, L"Edit", std::nullopt); }

  // A memo's region leaves a rim of exactly one pixel around its inner area, whatever the width of
  // the sizing frame it cuts down.
  static void ExpectOnePixelRim(HWND memo) {
    const RECT outer = WindowRect(memo);
    const RECT inner = ClientRectOnScreen(memo);
    const RegionInfo region = WindowRegion(memo);
    EXPECT_EQ(region.type, SIMPLEREGION);
    EXPECT_TRUE(Same(region.box, RECT{inner.left - outer.left - 1, inner.top - outer.top - 1,
                                      inner.right - outer.left + 1, inner.bottom - outer.top + 1}))
        << "region " << Describe(region.box) << ", inner area " << Describe(inner) << " of " << Describe(outer);
  }

  // A dialog is painted whole once the caption of its OK button shows.
  static bool WaitUntilPainted(HWND dialog) {
    const HWND ok = FindChild(dialog, L"Button", "OK");
    return ok != nullptr && WaitUntil([&] {
      const ScreenImage shot = CaptureWindow(ok);
      int dark = 0;
      for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) dark += SameColour(shot.At(x, y), RGB(0, 0, 0), 60) ? 1 : 0;
      return dark > 5 && dark < shot.width * shot.height / 2;
    });
  }

  static void SaveScreenshot(HWND window, const wchar_t* name) {
    EXPECT_TRUE(SaveBitmap(CaptureWindow(window), PathJoin(ExeDirectory(), name)));
  }
};

class HighDpiCalendar : public HighDpiScenario {};

TEST_F(HighDpiCalendar, IsOneAndAHalfTimesItsSizeAt96WithTheSameLayout) {
  AppFolder folder(Ini::Text(std::string(kCalendarEnabled) + "Top=1500\r\nLeft=3000\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND calendar = WaitForCalendar();
  ASSERT_TRUE(calendar);

  // At 96: 265 x 157 at (200, 100), the drawing area 276 x 161, the buttons 12 px at (2, 55) and
  // (23, 55). Here everything is one and a half times that, the place too (twips are inches).
  EXPECT_TRUE(Same(WindowRect(calendar), RECT{300, 150, 698, 386})) << Describe(WindowRect(calendar));
  EXPECT_TRUE(Same(RectOnParent(Picture(calendar)), RECT{0, 0, 414, 242})) << Describe(RectOnParent(Picture(calendar)));
  ASSERT_TRUE(PrevButton(calendar) && NextButton(calendar));
  EXPECT_TRUE(Same(RectOnParent(PrevButton(calendar)), RECT{3, 82, 21, 100})) << Describe(RectOnParent(PrevButton(calendar)));
  EXPECT_TRUE(Same(RectOnParent(NextButton(calendar)), RECT{34, 82, 52, 100})) << Describe(RectOnParent(NextButton(calendar)));

  // The drawing has the same layout, larger: "Sat" heads the seventh column at x = 333 (222 at
  // 96), where the 96-dpi layout would have put it there is "Thu" in the text colour.
  const ScreenImage shot = CaptureWindow(calendar);
  ASSERT_FALSE(shot.Empty());
  EXPECT_GT(CountColour(shot, RECT{333, 15, 385, 42}, kSaturdayBlue), 10) << "no \"Sat\" at 1.5 times its place";
  EXPECT_EQ(CountColour(shot, RECT{222, 12, 250, 26}, kSaturdayBlue), 0) << "a header at its 96-dpi place";
  EXPECT_TRUE(SameColour(shot.At(390, 150), kDarkBlue)) << "right of the Saturday column";
  SaveScreenshot(calendar, L"calendar-window-144dpi.bmp");

  // A day is found where the drawing put it: the middle of the 15th's cell, 1.5 times its place at
  // 96, opens the 15th's note.
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int cell = static_cast<int>(WeekdayOf(DaysFromCivil(now.wYear, now.wMonth, 1))) + 15 - 1;
  const POINT middle{(60 + 30 * (cell % 7)) * 3 / 2, (40 + 20 * (cell / 7)) * 3 / 2};
  ASSERT_TRUE(ClickAt(Picture(calendar), middle, MouseButton::Right));
  const HWND editor = WaitForWindow(Filter(kEditorClass));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(WaitUntil([&] {
    return WindowText(editor) == std::to_string(now.wYear) + "年" + std::to_string(now.wMonth) + "月15日";
  })) << WindowText(editor);
  // The editor too: 4680 x 3195 twips inside, 468 x 320 pixels here (312 x 213 at 96).
  const RECT inside = ClientRectOnScreen(editor);
  EXPECT_EQ(inside.right - inside.left, 468);
  EXPECT_EQ(inside.bottom - inside.top, 320);

  // Closed by a double-click, it stores its place in twips: those it was read from.
  ASSERT_TRUE(PostClose(editor));
  ASSERT_TRUE(ClickAt(Picture(calendar), POINT{8, 8}, MouseButton::Left, 2));
  ASSERT_TRUE(WaitForNoWindow(Filter(kCalendarClass)));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Left"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Top"), "1500");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiMemo : public HighDpiScenario {};

TEST_F(HighDpiMemo, TheRimStaysOnePixelAndTheStoredSizeKeepsItsInches) {
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO2=高い解像度@@二行目\r\nTOP2=1500\r\nLEFT2=3000\r\nWIDTH2=3000\r\n"
                             "HEIGHT2=1500\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND memo = WaitForWindow(Filter(kMemoClass));
  ASSERT_TRUE(memo);
  // 3000 x 1500 twips at (3000, 1500): 300 x 150 pixels at (300, 150) here (200 x 100 at 96).
  EXPECT_TRUE(Same(WindowRect(memo), RECT{300, 150, 600, 300})) << Describe(WindowRect(memo));
  ExpectOnePixelRim(memo);
  EXPECT_TRUE(WaitUntil([&] {
    const ScreenImage shot = CaptureWindow(memo);
    return SameColour(shot.At(shot.width - 8, shot.height - 8), kPaleYellow, 8);
  }));
  // Its 10-point text is 20 pixels high here: the second line starts about 20 pixels below the
  // first (13 at 96).
  const ScreenImage shot = CaptureWindow(memo);
  int firstInk = -1;
  int gapEnd = -1;
  for (int y = 0; y < 60 && gapEnd < 0; ++y) {
    bool ink = false;
    for (int x = 4; x < 150; ++x) ink = ink || SameColour(shot.At(x, y), RGB(0, 0, 0), 60);
    if (ink && firstInk < 0) firstInk = y;
    if (!ink && firstInk >= 0 && y - firstInk > 4) gapEnd = y;
  }
  EXPECT_GE(gapEnd - firstInk, 12) << "the first line's glyphs are those of a 10-point font at 144 dpi";
  SaveScreenshot(memo, L"memo-144dpi.bmp");

  // Stored again (the focus leaves it), the memo writes the twips it was read from.
  ASSERT_TRUE(ClickAt(TextBox(memo), POINT{40, 40}));
  ASSERT_TRUE(TypeText("!"));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO2").find('!') != std::string::npos; }, 5s));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "LEFT2"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "TOP2"), "1500");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "WIDTH2"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "HEIGHT2"), "1500");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiSettingsFile : public HighDpiScenario {};

// The same file on a screen of 96 dots per inch shows the calendar at (200, 100) and the memo at
// (400, 300), 200 x 100: at 144 both stand at the same places in inches, 1.5 times the pixels.
TEST_F(HighDpiSettingsFile, WrittenAt96ItShowsTheCalendarAndTheMemosAtTheSamePhysicalPlaces) {
  AppFolder folder(Ini::Text(std::string(kCalendarEnabled) +
                             "Top=1500\r\nLeft=3000\r\n"
                             "[DESKTOPMEMO]\r\nMEMO4=同じ場所\r\nTOP4=4500\r\nLEFT4=6000\r\nWIDTH4=3000\r\nHEIGHT4=1500\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND calendar = WaitForCalendar();
  ASSERT_TRUE(calendar);
  const HWND memo = WaitForWindow(Filter(kMemoClass));
  ASSERT_TRUE(memo);
  const RECT at96Calendar{200, 100, 465, 257};
  const RECT at96Memo{400, 300, 600, 400};
  const auto inches = [](const RECT& r, int dpi) {
    return std::to_string(r.left * 100 / dpi) + "," + std::to_string(r.top * 100 / dpi) + " " +
           std::to_string((r.right - r.left) * 100 / dpi) + "x" + std::to_string((r.bottom - r.top) * 100 / dpi);
  };
  EXPECT_EQ(inches(WindowRect(calendar), kHighDpi), inches(at96Calendar, 96)) << Describe(WindowRect(calendar));
  EXPECT_EQ(inches(WindowRect(memo), kHighDpi), inches(at96Memo, 96)) << Describe(WindowRect(memo));
  EXPECT_TRUE(Same(WindowRect(memo), RECT{600, 450, 900, 600})) << Describe(WindowRect(memo));
  EXPECT_EQ(WindowRect(calendar).left, 300);
  EXPECT_EQ(WindowRect(calendar).top, 150);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  // Nothing moved: the file holds the places it was written with.
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "LEFT4"), "6000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "WIDTH4"), "3000");
}

class HighDpiClock : public HighDpiScenario {
protected:
  // A face picture of the user's own, 40 x 40 pixels: its left half red, its right half blue.
  static void WriteFace(const AppFolder& folder) {
    ScreenImage face;
    face.width = face.height = 40;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) face.pixels.push_back(x < 20 ? 0x00FF0000u : 0x000000FFu);
    ASSERT_TRUE(SaveBitmap(face, folder.PathOf(L"VynClock.bmp")));
  }
  HWND WaitForClock() {
    const HWND clock = WaitForWindow(Filter(kClockClass));
    // Painted once the face shows in its top-left corner.
    if (clock != nullptr) {
      EXPECT_TRUE(WaitUntil([&] { return SameColour(CaptureWindow(clock).At(25, 40), RGB(255, 0, 0), 40); }));
    }
    return clock;
  }
  // The circle the window is cut to, its bounding box in window coordinates.
  static RECT RoundRegionBox(HWND clock) {
    const RegionInfo region = WindowRegion(clock);
    EXPECT_EQ(region.type, COMPLEXREGION) << "no round region";
    return region.box;
  }
};

TEST_F(HighDpiClock, TheDialItsCircleAndTheUsersFaceGrowSmoothlyWithTheDpi) {
  AppFolder folder(Ini::Text("[DESKTOPCLOCK]\r\nEnable=True\r\nTop=1500\r\nLeft=3000\r\n"));
  WriteFace(folder);
  ASSERT_TRUE(Start(folder));
  const HWND clock = WaitForClock();
  ASSERT_TRUE(clock);
  // 100 pixels across at 96, 150 here, at the same place in inches.
  EXPECT_TRUE(Same(WindowRect(clock), RECT{300, 150, 450, 300})) << Describe(WindowRect(clock));
  const RECT box = RoundRegionBox(clock);
  // The circle of (1, 1)-(100, 100) at 96; its edges may stop a pixel short of the box.
  EXPECT_TRUE(box.left == 2 && box.top == 2 && box.right >= 149 && box.right <= 150 && box.bottom >= 149 &&
              box.bottom <= 150)
      << Describe(box);
  // The picture at its size times 1.5: 60 x 60 pixels, red to x = 30, blue to 60, the empty face
  // beyond (at 96 it would end at 40). Points the hands never reach.
  const ScreenImage shot = CaptureWindow(clock);
  EXPECT_TRUE(SameColour(shot.At(25, 40), RGB(255, 0, 0), 40)) << std::hex << shot.At(25, 40);
  EXPECT_TRUE(SameColour(shot.At(48, 22), RGB(0, 0, 255), 40)) << std::hex << shot.At(48, 22);
  EXPECT_TRUE(SameColour(shot.At(64, 14), GetSysColor(COLOR_BTNFACE), 8)) << std::hex << shot.At(64, 14);
  // Stretched smoothly: the red and blue halves meet in a blend, not a hard step.
  int blended = 0;
  for (int x = 27; x <= 33; ++x) {
    const COLORREF c = shot.At(x, 40);
    blended += (!SameColour(c, RGB(255, 0, 0), 40) && !SameColour(c, RGB(0, 0, 255), 40)) ? 1 : 0;
  }
  EXPECT_GE(blended, 1) << "no blend where the halves meet";
  SaveScreenshot(clock, L"clock-window-144dpi.bmp");

  // Closed by a double-click, it stores the place it was read from.
  ASSERT_TRUE(ClickAt(clock, {75, 105}, MouseButton::Left, 2));
  ASSERT_TRUE(WaitForNoWindow(Filter(kClockClass)));
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Left"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCLOCK", "Top"), "1500");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// The accessories whose windows have a fixed layout, opened from the tray menu's commands: a window
// class, the inner size in twips, and one control with its place in twips.
struct FixedWindow {
  MenuItem item;
  const wchar_t* className;
  int widthTwips, heightTwips;
  const wchar_t* controlClass;  // null: the window's own size is all there is to check
  std::optional<std::string> controlText;
  int left, top, width, height;  // the control, in twips
  const wchar_t* screenshot;
};

const FixedWindow kFixedWindows[] = {
    {MenuItem::stopWatch, L"Quorbell.StopwatchWindow", 2160, 960, L"Button", "Start", 360, 480, 735, 375, L"stopwatch-144dpi.bmp"},
    {MenuItem::cmdMemDiet, L"Quorbell.MemoryStatusWindow", 4095, 2070, L"Button", "ﾌﾗｸﾞﾒﾝﾃｰｼｮﾝの解消", 2040, 1560, 1935, 375,
     L"memory-status-144dpi.bmp"},
    {MenuItem::colorChoose, L"Quorbell.ColourChooser", 870, 7080, L"Button", "取得", 0, 6720, 855, 300, L"colour-chooser-144dpi.bmp"},
    {MenuItem::mnuOpen, L"Quorbell.OpenAnythingWindow", 3120, 390, L"Edit", std::nullopt, 0, 0, 3120, 390, L"open-anything-144dpi.bmp"},
    {MenuItem::shutdown, L"Quorbell.ShutdownButtonWindow", 960, 465, nullptr, std::nullopt, 0, 0, 0, 0, L"shutdown-button-144dpi.bmp"},
};

// Twips to pixels at a DPI, halves to the even neighbour.
int Pixels(int twips, int dpi) {
  const double exact = static_cast<double>(twips) * dpi / 1440;
  return static_cast<int>(std::nearbyint(exact));
}

RECT PixelsOf(int left, int top, int width, int height, int dpi) {
  return RECT{Pixels(left, dpi), Pixels(top, dpi), Pixels(left + width, dpi), Pixels(top + height, dpi)};
}

class HighDpiAccessories : public HighDpiScenario {
protected:
  HWND Open(HWND main, const FixedWindow& w) {
    EXPECT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(w.item), 0), 0));
    return WaitForWindow(Filter(w.className));
  }
  static HWND ControlOf(HWND window, const FixedWindow& w) {
    return w.controlClass == nullptr ? nullptr : FindChild(window, w.controlClass, w.controlText);
  }
  static RECT InnerSize(HWND window) {
    RECT inner{};
    GetClientRect(window, &inner);
    return inner;
  }
};

TEST_F(HighDpiAccessories, EachFixedWindowIsItsDesignInTwipsAtThisDpi) {
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  for (const FixedWindow& w : kFixedWindows) {
    SCOPED_TRACE(qb::Narrow(w.className));
    const HWND window = Open(main, w);
    ASSERT_TRUE(window);
    // A captioned window is at least as wide as the system lets a window be (the narrow colour
    // chooser is wider than its design at 96 too).
    const RECT inner = InnerSize(window);
    EXPECT_EQ(inner.bottom, Pixels(w.heightTwips, kHighDpi));
    if (inner.right != Pixels(w.widthTwips, kHighDpi)) {
      EXPECT_EQ(WindowRect(window).right - WindowRect(window).left, GetSystemMetrics(SM_CXMINTRACK)) << Describe(inner);
    }
    if (const HWND control = ControlOf(window, w)) {
      EXPECT_TRUE(Same(RectOnParent(control), PixelsOf(w.left, w.top, w.width, w.height, kHighDpi)))
          << Describe(RectOnParent(control));
    } else {
      EXPECT_EQ(w.controlClass, nullptr) << "control not found";
    }
    // Each in front as it opens, for a person to look at, once its controls have painted.
    if (const HWND control = ControlOf(window, w)) {
      const RECT r = RectOnParent(control);
      EXPECT_TRUE(WaitUntil([&] {
        return !SameColour(CaptureScreen(ClientRectOnScreen(window)).At((r.left + r.right) / 2, r.top + 2), RGB(0, 0, 0));
      }));
    }
    SaveScreenshot(window, w.screenshot);
  }
  // The colour chooser's bars are drawn for their size: the hue bar's bands reach as far down
  // (558 of its 586 pixels) as they reach at 96 (372 of 391).
  const HWND chooser = WaitForWindow(Filter(L"Quorbell.ColourChooser"));
  ASSERT_TRUE(chooser);
  const ScreenImage bars = CaptureScreen(ClientRectOnScreen(chooser));
  EXPECT_FALSE(SameColour(bars.At(10, 550), GetSysColor(COLOR_BTNFACE), 4)) << "the hue bar ends at its 96-dpi length";
  EXPECT_TRUE(SameColour(bars.At(10, 570), GetSysColor(COLOR_BTNFACE), 4)) << std::hex << bars.At(10, 570);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(HighDpiAccessories, TheLauncherMenuIsItsDesignInTwipsAtThisDpiAndAtTheOneItIsTold) {
  AppFolder folder(Ini::Text("[APPPATH]\r\n1=notepad\r\n[APPNAME]\r\n1=メモ帳\r\n"));
  ASSERT_TRUE(Start(folder));
  AppProcess menu = AppProcess::StartExe(folder.ExePath(), L"Menu", folder.Dir());
  ASSERT_TRUE(menu);
  WindowFilter filter = VisibleWindowsOf(menu.Id(), L"Quorbell.LauncherWindow");
  const HWND launcher = WaitForWindow(filter);
  ASSERT_TRUE(launcher);
  const auto firstName = [&] { return FindChild(launcher, L"Quorbell.LauncherLabel", "メモ帳"); };
  ASSERT_TRUE(WaitUntil([&] { return firstName() != nullptr; }));
  // 2940 x 7785 twips inside (5.4 inches high: the system cuts it to the bed's screen, 768 pixels
  // high, 5.3 inches at this DPI); the first row's name at (600, 120), 2415 x 375 twips, cut where
  // the second row's strip begins (480 twips down).
  RECT inner{};
  GetClientRect(launcher, &inner);
  EXPECT_EQ(inner.right, 294);
  EXPECT_TRUE(inner.bottom == 778 || WindowRect(launcher).bottom - WindowRect(launcher).top >= 768) << Describe(inner);
  EXPECT_TRUE(Same(RectOnParent(firstName()), RECT{60, 12, 302, 48})) << Describe(RectOnParent(firstName()));
  // Told it is on a monitor of 120 dots per inch.
  const RECT outer = WindowRect(launcher);
  const RECT suggested{outer.left, outer.top, outer.left + 245 + (outer.right - outer.left - inner.right),
                       outer.top + 649 + (outer.bottom - outer.top - inner.bottom)};
  ASSERT_TRUE(SendDpiChange(launcher, 120, suggested));
  EXPECT_TRUE(Same(WindowRect(launcher), suggested)) << Describe(WindowRect(launcher));
  EXPECT_TRUE(Same(RectOnParent(firstName()), RECT{50, 10, 251, 40})) << Describe(RectOnParent(firstName()));
  // Shorter than the screen now (Wine leaves a window taller than its screen undrawn): painted once
  // the first row shows highlighted, dark blue behind its name.
  EXPECT_TRUE(WaitUntil([&] { return SameColour(CaptureScreen(ClientRectOnScreen(launcher)).At(230, 25), RGB(0, 0, 150)); }));
  SaveScreenshot(launcher, L"launcher-120dpi.bmp");
  ASSERT_TRUE(BringToFront(launcher));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_EQ(menu.WaitForExit(), 0u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiVersionDialog : public HighDpiScenario {
protected:
  HWND Open(HWND main) {
    EXPECT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(MenuItem::mnuVer), 0), 0));
    return WaitForWindow(WindowFilter{app.Id(), L"#32770", L"Quorbellのﾊﾞｰｼﾞｮﾝ情報", true});
  }
  // Every text label and button shows its whole text with its own font.
  static void ExpectTextsWhole(HWND dialog) {
    const std::optional<TextsFitResult> fit = MeasureTexts(dialog);
    ASSERT_TRUE(fit);
    EXPECT_GE(fit->checked, 8) << "labels and buttons measured";
    EXPECT_EQ(fit->clipped, 0) << "cut: " << fit->firstClipped;
  }
};

TEST_F(HighDpiVersionDialog, ShowsItsTextsWholeAndLaysItselfOutForTheDpiAMoveTellsIt) {
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = Open(main);
  ASSERT_TRUE(dialog);
  ExpectTextsWhole(dialog);
  EXPECT_TRUE(WaitUntilPainted(dialog));
  SaveScreenshot(dialog, L"version-dialog-144dpi.bmp");

  // Told it is on a monitor of 192 dots per inch: every control a third larger, the texts still
  // whole, the link still right after its label.
  const HWND ok = FindChild(dialog, L"Button", "OK");
  ASSERT_TRUE(ok);
  const RECT okBefore = RectOnParent(ok);
  const RECT outer = WindowRect(dialog);
  const RECT inner = ClientRectOnScreen(dialog);
  // (Kept inside the bed's screen: Wine leaves a window that reaches beyond its screen undrawn.)
  const RECT suggested{10, 10, 10 + (inner.right - inner.left) * 4 / 3 + (outer.right - outer.left) - (inner.right - inner.left),
                       10 + (inner.bottom - inner.top) * 4 / 3 + (outer.bottom - outer.top) - (inner.bottom - inner.top)};
  ASSERT_TRUE(SendDpiChange(dialog, 192, suggested));
  EXPECT_TRUE(Same(WindowRect(dialog), suggested)) << Describe(WindowRect(dialog));
  const RECT okAfter = RectOnParent(ok);
  EXPECT_TRUE(Same(okAfter, RECT{MulDiv(okBefore.left, 4, 3), MulDiv(okBefore.top, 4, 3), MulDiv(okBefore.right, 4, 3),
                                 MulDiv(okBefore.bottom, 4, 3)}))
      << Describe(okBefore) << " -> " << Describe(okAfter);
  ExpectTextsWhole(dialog);
  const HWND label = FindChild(dialog, L"Static", "ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ: ");
  const HWND link = FindChild(dialog, L"SysLink", std::nullopt);
  ASSERT_TRUE(label && link);
  EXPECT_EQ(RectOnParent(link).left, RectOnParent(label).right);
  EXPECT_TRUE(WaitUntilPainted(dialog));
  SaveScreenshot(dialog, L"version-dialog-192dpi.bmp");
  EXPECT_TRUE(PressButton(dialog, "OK"));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiSettingsDialog : public HighDpiScenario {
protected:
  // The tray icon's double-click, as the shell reports it; the dialog once it shows.
  HWND Open(HWND main) {
    EXPECT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK));
    WindowFilter filter = Filter(L"#32770");
    filter.caption = L"設定";
    return WaitForWindow(filter);
  }

  static bool IsGroupBox(HWND control) {
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    return _wcsicmp(cls, L"Button") == 0 && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
  }

  // The pages, and on each the place of every control.
  struct Page {
    HWND window;
    std::vector<std::pair<HWND, RECT>> controls;
  };
  static std::vector<Page> Layout(HWND dialog) {
    std::vector<Page> pages;
    for (HWND page = GetWindow(dialog, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT)) {
      wchar_t cls[16] = {};
      GetClassNameW(page, cls, 16);
      if (wcscmp(cls, L"#32770") != 0) continue;
      Page& placed = pages.emplace_back(Page{page, {}});
      for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        placed.controls.emplace_back(c, RectOnParent(c));
      }
    }
    return pages;
  }

  // On every page each control lies inside the page, a group box holds a control whole or not at
  // all, other controls do not overlap; every label and button shows its whole text.
  static void ExpectLaidOutCleanly(HWND dialog) {
    const auto pages = Layout(dialog);
    ASSERT_EQ(pages.size(), 15u);
    int controls = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
      const RECT page = ClientRectOnScreen(pages[p].window);
      const RECT inside{0, 0, page.right - page.left, page.bottom - page.top};
      const auto& placed = pages[p].controls;
      for (size_t i = 0; i < placed.size(); ++i) {
        const auto& [a, ra] = placed[i];
        ++controls;
        RECT clipped{};
        IntersectRect(&clipped, &ra, &inside);
        EXPECT_TRUE(Same(clipped, ra)) << "page " << p << ": " << Describe(ra) << " reaches out of " << Describe(inside);
        for (size_t j = i + 1; j < placed.size(); ++j) {
          const auto& [b, rb] = placed[j];
          RECT common{};
          if (!IntersectRect(&common, &ra, &rb)) continue;
          const bool nested = (IsGroupBox(a) && Same(common, rb)) || (IsGroupBox(b) && Same(common, ra));
          EXPECT_TRUE(nested) << "page " << p << ": controls " << GetDlgCtrlID(a) << " " << Describe(ra) << " and "
                              << GetDlgCtrlID(b) << " " << Describe(rb) << " overlap";
        }
      }
    }
    EXPECT_GE(controls, 150);
    const std::optional<TextsFitResult> fit = MeasureTexts(dialog);
    ASSERT_TRUE(fit);
    EXPECT_GE(fit->checked, 80) << "labels and buttons measured";
    EXPECT_EQ(fit->clipped, 0) << "cut: " << fit->firstClipped;
    // OK and Cancel below the tab strip, inside the dialog.
    const RECT strip = RectOnParent(GetDlgItem(dialog, 100));
    for (const int id : {IDOK, IDCANCEL}) {
      const RECT button = RectOnParent(GetDlgItem(dialog, id));
      EXPECT_GE(button.top, strip.bottom) << id;
      EXPECT_LE(button.right, ClientRectOnScreen(dialog).right - ClientRectOnScreen(dialog).left) << id;
    }
  }
};

// Every page of the settings dialog at 144 dots per inch, and again when it is told it moved to a
// monitor of 120 and back: no control overlaps another or cuts its text, and the way back gives the
// same layout.
TEST_F(HighDpiSettingsDialog, EveryPageKeepsItsControlsApartAndTheirTextsWholeAtEachDpi) {
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND dialog = Open(main);
  ASSERT_TRUE(dialog);
  ExpectLaidOutCleanly(dialog);
  const HWND ok = FindChild(dialog, L"Button", "OK");
  ASSERT_TRUE(ok);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_GE(RectOnParent(ok).bottom - RectOnParent(ok).top, -metrics.lfMessageFont.lfHeight + 6)
      << "the buttons are as tall as the fonts of 144 dpi need";
  EXPECT_TRUE(WaitUntilPainted(dialog));
  SaveScreenshot(dialog, L"settings-dialog-144dpi.bmp");

  const auto before = Layout(dialog);
  const RECT outer = WindowRect(dialog);
  const RECT inner = ClientRectOnScreen(dialog);
  const int frameX = (outer.right - outer.left) - (inner.right - inner.left);
  const int frameY = (outer.bottom - outer.top) - (inner.bottom - inner.top);
  const RECT smaller{20, 20, 20 + (inner.right - inner.left) * 120 / 144 + frameX,
                     20 + (inner.bottom - inner.top) * 120 / 144 + frameY};
  ASSERT_TRUE(SendDpiChange(dialog, 120, smaller));
  EXPECT_TRUE(Same(WindowRect(dialog), smaller)) << Describe(WindowRect(dialog));
  ExpectLaidOutCleanly(dialog);
  const RECT okAt120 = RectOnParent(ok);
  EXPECT_LT(okAt120.bottom - okAt120.top, RectOnParent(ok).bottom - RectOnParent(ok).top + 1);
  EXPECT_TRUE(WaitUntilPainted(dialog));
  SaveScreenshot(dialog, L"settings-dialog-120dpi.bmp");

  ASSERT_TRUE(SendDpiChange(dialog, 144, outer));
  EXPECT_TRUE(Same(WindowRect(dialog), outer)) << Describe(WindowRect(dialog));
  const auto after = Layout(dialog);
  ASSERT_EQ(after.size(), before.size());
  for (size_t p = 0; p < after.size(); ++p) {
    const auto& was = before[p].controls;
    const auto& is = after[p].controls;
    ASSERT_EQ(is.size(), was.size());
    for (size_t i = 0; i < is.size(); ++i) {
      EXPECT_TRUE(Same(is[i].second, was[i].second))
          << "page " << p << " control " << GetDlgCtrlID(is[i].first) << ": " << Describe(was[i].second) << " -> "
          << Describe(is[i].second);
    }
  }
  EXPECT_TRUE(PressButton(dialog, "ｷｬﾝｾﾙ"));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiTrayMenu : public HighDpiScenario {};

// The system draws the tray menu for the DPI of the monitor it opens on: its items as tall as the
// menu font of that DPI needs, every caption whole.
TEST_F(HighDpiTrayMenu, ItsItemsAreAsTallAsTheMenuFontOfThisDpiNeeds) {
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));  // the shell's right press on the icon
  const HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  const auto items = ReadPopupMenu(menu);
  ASSERT_TRUE(items);
  ASSERT_GT(items->size(), 5u);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  ASSERT_LE(metrics.lfMenuFont.lfHeight, -16) << "the menu font of 144 dpi (12 pixels at 96)";
  const RECT r = WindowRect(menu);
  EXPECT_GE((r.bottom - r.top) / static_cast<int>(items->size()), -metrics.lfMenuFont.lfHeight)
      << Describe(r) << " for " << items->size() << " items";
  EXPECT_TRUE(WaitUntil([&] { return !SameColour(CaptureWindow(menu).At(r.right - r.left - 4, 4), RGB(0, 0, 0)); }));
  SaveScreenshot(menu, L"tray-menu-144dpi.bmp");
  ASSERT_TRUE(Post(menu, WM_KEYDOWN, VK_ESCAPE, 0));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiWindowTools : public HighDpiScenario {};

// Another program's window at this DPI has a taller title bar: the roll-up keeps that much of it,
// in the window's own coordinates.
TEST_F(HighDpiWindowTools, RollUpKeepsTheTitleBarTheWindowHasAtItsDpi) {
  AppFolder folder;
  ASSERT_TRUE(Start(folder));
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  const RECT rect = WindowRect(probe.Hwnd());
  ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_NUMPAD0}));
  ASSERT_TRUE(WaitUntil([&] { return WindowRegion(probe.Hwnd()).type == SIMPLEREGION; }));
  const RECT box = WindowRegion(probe.Hwnd()).box;
  EXPECT_TRUE(Same(box, RECT{0, 0, rect.right, 35})) << Describe(box) << ": 23 pixels at 96 are 34.5 here";
  ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_NUMPAD0}));
  EXPECT_TRUE(WaitUntil([&] { return WindowRegion(probe.Hwnd()).type == ERROR; })) << "the region stayed";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class HighDpiChange : public HighDpiScenario {};

TEST_F(HighDpiChange, TheFixedAccessoriesLayThemselvesOutForTheDpiTheMessageCarries) {
  // 120 dots per inch (125 %): every window still fits the bed's screen.
  constexpr int kOtherDpi = 120;
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  for (const FixedWindow& w : kFixedWindows) {
    SCOPED_TRACE(qb::Narrow(w.className));
    EXPECT_TRUE(Post(main, WM_COMMAND, MAKEWPARAM(MenuCommandId(w.item), 0), 0));
    const HWND window = WaitForWindow(Filter(w.className));
    ASSERT_TRUE(window);
    // Its outer rectangle at the other DPI: what the inner design needs there plus the frame
    // the window has now (Wine draws frames at its one DPI).
    const RECT outer = WindowRect(window);
    const RECT inner = ClientRectOnScreen(window);
    const int frameX = (outer.right - outer.left) - (inner.right - inner.left);
    const int frameY = (outer.bottom - outer.top) - (inner.bottom - inner.top);
    const int width = std::max<int>(Pixels(w.widthTwips, kOtherDpi) + frameX, GetSystemMetrics(SM_CXMINTRACK));
    const RECT suggested{20, 30, 20 + width, 30 + Pixels(w.heightTwips, kOtherDpi) + frameY};
    ASSERT_TRUE(SendDpiChange(window, kOtherDpi, suggested));
    EXPECT_TRUE(Same(WindowRect(window), suggested)) << Describe(WindowRect(window));
    if (const HWND control = FindChild(window, w.controlClass == nullptr ? L"-" : w.controlClass, w.controlText)) {
      EXPECT_TRUE(Same(RectOnParent(control), PixelsOf(w.left, w.top, w.width, w.height, kOtherDpi)))
          << Describe(RectOnParent(control));
    }
  }
  // The shutdown button's picture box follows: 975 x 495 twips, 81.25 x 41.25 pixels.
  const HWND button = WaitForWindow(Filter(L"Quorbell.ShutdownButtonWindow"));
  ASSERT_TRUE(button);
  EXPECT_TRUE(Same(RectOnParent(FindChild(button, kPictureClass, std::nullopt)), RECT{0, 0, 81, 41}))
      << Describe(RectOnParent(FindChild(button, kPictureClass, std::nullopt)));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(HighDpiChange, TheClockRedrawsItsDialAndItsCircleForTheDpiTheMessageCarries) {
  AppFolder folder(Ini::Text("[DESKTOPCLOCK]\r\nEnable=True\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND clock = WaitForWindow(Filter(kClockClass));
  ASSERT_TRUE(clock);
  const RECT suggested{50, 60, 250, 260};
  ASSERT_TRUE(SendDpiChange(clock, 192, suggested));
  EXPECT_TRUE(Same(WindowRect(clock), suggested)) << Describe(WindowRect(clock));
  const RECT box = WindowRegion(clock).box;
  EXPECT_TRUE(box.left == 2 && box.top == 2 && box.right >= 199 && box.right <= 200 && box.bottom >= 199 &&
              box.bottom <= 200)
      << Describe(box);
  // The built-in face fills the larger dial: white between the hour marks near its rim.
  EXPECT_TRUE(WaitUntil([&] { return SameColour(CaptureWindow(clock).At(122, 16), RGB(255, 255, 255)); }))
      << std::hex << CaptureWindow(clock).At(122, 16);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// Windows sends WM_DPICHANGED when a window moves to a monitor of another DPI; the window lays
// itself out for the DPI the message carries and takes the rectangle it suggests.
TEST_F(HighDpiChange, TheCalendarLaysItselfOutForTheDpiTheMessageCarries) {
  AppFolder folder(Ini::Text(kCalendarEnabled));
  ASSERT_TRUE(Start(folder));
  const HWND calendar = WaitForCalendar();
  ASSERT_TRUE(calendar);
  // To a monitor of 192 dots per inch (200 %): twice the 96-dpi calendar, at the suggested place.
  const RECT suggested{40, 30, 40 + 530, 30 + 314};
  ASSERT_TRUE(SendDpiChange(calendar, 192, suggested));
  EXPECT_TRUE(Same(WindowRect(calendar), suggested)) << Describe(WindowRect(calendar));
  EXPECT_TRUE(Same(RectOnParent(Picture(calendar)), RECT{0, 0, 552, 322})) << Describe(RectOnParent(Picture(calendar)));
  EXPECT_TRUE(Same(RectOnParent(PrevButton(calendar)), RECT{4, 110, 28, 134})) << Describe(RectOnParent(PrevButton(calendar)));
  EXPECT_TRUE(Same(RectOnParent(NextButton(calendar)), RECT{46, 110, 70, 134})) << Describe(RectOnParent(NextButton(calendar)));
  ASSERT_TRUE(WaitUntil([&] { return SameColour(CaptureWindow(calendar).At(520, 300), kDarkBlue); }));
  const ScreenImage shot = CaptureWindow(calendar);
  EXPECT_GT(CountColour(shot, RECT{444, 20, 510, 54}, kSaturdayBlue), 10) << "\"Sat\" at twice its 96-dpi place";

  // And back to a monitor of 96: the size it has there.
  const RECT back{40, 30, 40 + 265, 30 + 157};
  ASSERT_TRUE(SendDpiChange(calendar, 96, back));
  EXPECT_TRUE(Same(WindowRect(calendar), back)) << Describe(WindowRect(calendar));
  EXPECT_TRUE(Same(RectOnParent(PrevButton(calendar)), RECT{2, 55, 14, 67})) << Describe(RectOnParent(PrevButton(calendar)));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(HighDpiChange, AMemoTakesTheSuggestedRectangleAndKeepsItsOnePixelRim) {
  AppFolder folder(Ini::Text("[DESKTOPMEMO]\r\nMEMO0=動く\r\nTOP0=1500\r\nLEFT0=1500\r\nWIDTH0=3000\r\nHEIGHT0=1500\r\n"));
  ASSERT_TRUE(Start(folder));
  const HWND memo = WaitForWindow(Filter(kMemoClass));
  ASSERT_TRUE(memo);
  const RECT suggested{100, 120, 100 + 400, 120 + 200};  // 3000 x 1500 twips at 192 dots per inch
  ASSERT_TRUE(SendDpiChange(memo, 192, suggested));
  EXPECT_TRUE(Same(WindowRect(memo), suggested)) << Describe(WindowRect(memo));
  ExpectOnePixelRim(memo);
  const RECT inner = ClientRectOnScreen(memo);
  const RECT box = WindowRect(TextBox(memo));
  EXPECT_TRUE(Same(box, inner)) << "the text box fills the memo: " << Describe(box) << " in " << Describe(inner);
  // Stored at that DPI, the size is still 3000 x 1500 twips.
  ASSERT_TRUE(ClickAt(TextBox(memo), POINT{30, 30}));
  ASSERT_TRUE(TypeText("!"));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadSetting("DESKTOPMEMO", "MEMO0").find('!') != std::string::npos; }, 5s))
      << folder.ReadSetting("DESKTOPMEMO", "MEMO0") << " / " << WindowText(TextBox(memo));
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "WIDTH0"), "3000");
  EXPECT_EQ(folder.ReadSetting("DESKTOPMEMO", "HEIGHT0"), "1500");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
