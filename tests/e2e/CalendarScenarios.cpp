// The desktop calendar and its note editor, driven through the real program: opening at start-up,
// place, size, colour and opacity from the settings, paging, dragging, closing, day notes opened
// and saved, and the background picture.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "calendar/CivilDate.h"
#include "common/BmpFile.h"
#include "harness/Harness.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kCalendarClass[] = L"Quorbell.CalendarWindow";
constexpr wchar_t kEditorClass[] = L"Quorbell.DayNoteEditor";
constexpr wchar_t kPictureClass[] = L"Quorbell.PictureBox";
constexpr char kEnabled[] = "[DESKTOPCAL]\r\nEnable=True\r\n";
constexpr COLORREF kDarkBlue = RGB(0, 18, 122);  // BKCOLOR 8000000
constexpr char kBackgroundFailed[] = "ｶﾚﾝﾀﾞｰ背景ｲﾒｰｼﾞ読込失敗";

struct YearMonth {
  int year;
  int month;
};

SYSTEMTIME Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

YearMonth ThisMonth() {
  const SYSTEMTIME now = Now();
  return {now.wYear, now.wMonth};
}

YearMonth AddMonths(YearMonth ym, int months) {
  const int index = ym.year * 12 + ym.month - 1 + months;
  return {index / 12, index % 12 + 1};
}

std::string NoteTitle(YearMonth ym, int day) {
  return std::to_string(ym.year) + "年" + std::to_string(ym.month) + "月" + std::to_string(day) + "日";
}

// The grid cell of a day: the month's first day sits in the column of its weekday.
int CellOf(YearMonth ym, int day) {
  return static_cast<int>(WeekdayOf(DaysFromCivil(ym.year, ym.month, 1))) + day - 1;
}

// The middle of a cell in drawing-area pixels at font size s: columns 3s apart from 6s, rows 2s
// apart from 4s.
POINT CellPoint(int index, int s = 10) { return {6 * s + 3 * s * (index % 7), 4 * s + 2 * s * (index / 7)}; }

// A point of the drawing area that lies on no cell (on the year's digits).
constexpr POINT kOffTheGrid{5, 5};

RECT RectOnParent(HWND child) {
  RECT r = WindowRect(child);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool EqualRects(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

class Calendar : public Scenario {
protected:
  // Starts the folder's program and answers its calendar window once it is shown and drawn.
  HWND StartWithCalendar(AppFolder& folder, AppProcess& app, COLORREF background = kDarkBlue, int tolerance = 0) {
    app = AppProcess::Start(folder);
    EXPECT_TRUE(app) << "cannot start " << qb::Narrow(folder.ExePath());
    if (!app || !app.WaitUntilResident()) return nullptr;
    HWND calendar = WaitForWindow(CalendarFilter(app));
    if (calendar) {
      EXPECT_TRUE(WaitUntilDrawn(calendar, background, tolerance));
    }
    return calendar;
  }

  // A window shows before it is painted: waits until its bottom-right corner, where no text ever
  // lies, has the background colour.
  static bool WaitUntilDrawn(HWND calendar, COLORREF background, int tolerance = 0) {
    return WaitUntil([&] {
      const ScreenImage shot = CaptureWindow(calendar);
      return !shot.Empty() && SameColour(shot.At(shot.width - 2, shot.height - 2), background, tolerance);
    });
  }

  static WindowFilter CalendarFilter(const AppProcess& app) {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kCalendarClass);
    return filter;
  }
  static WindowFilter EditorFilter(const AppProcess& app) {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kEditorClass);
    return filter;
  }

  static HWND Picture(HWND calendar) { return FindChild(calendar, kPictureClass, std::nullopt); }
  static HWND PrevButton(HWND calendar) { return FindChild(calendar, L"Button", "<"); }
  static HWND NextButton(HWND calendar) { return FindChild(calendar, L"Button", ">"); }
  static HWND TextBox(HWND editor) { return FindChild(editor, L"Edit", std::nullopt); }

  // Releases the right button over a point of the drawing area and answers the editor that shows
  // up (null when none does).
  HWND ReleaseOver(const AppProcess& app, HWND calendar, POINT point) {
    // Under Wine a click sent right after another window went away is now and then lost before it
    // reaches any window (the program never sees it); a second click is a user's second try.
    for (int attempt = 0; attempt < 2; ++attempt) {
      EXPECT_TRUE(ClickAt(Picture(calendar), point, MouseButton::Right));
      if (HWND editor = WaitForWindow(EditorFilter(app), attempt == 0 ? 3s : kDefaultTimeout)) return editor;
    }
    return nullptr;
  }

  // Waits until the editor shows that title (the shared editor may already be open).
  static bool EditorShows(HWND editor, const std::string& title) {
    return WaitUntil([&] { return WindowText(editor) == title; });
  }

  static void WriteNote(const AppFolder& folder, const std::string& title, const std::string& utf8) {
    CreateDirectoryW(folder.PathOf(L"dic").c_str(), nullptr);
    const auto bytes = ToCp932(utf8);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(WriteFileBytes(NotePath(folder, title), *bytes + "\r\n"));
  }
  static std::wstring NotePath(const AppFolder& folder, const std::string& title) {
    return folder.PathOf(L"dic\\" + qb::Widen(title) + L".txt");
  }
};

TEST_F(Calendar, WithoutSettingsItSitsAtTheOriginInDarkBlueOpaqueAtTheBottomAndMarksItselfOpen) {
  ASSERT_EQ(ScreenDpi(), 96) << "the figures below are pixels of a 96-dpi screen";
  AppFolder folder(Ini::Text(kEnabled));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);

  EXPECT_EQ(WindowText(calendar), "VynCalender");
  EXPECT_EQ(Style(calendar) & (WS_CAPTION | WS_THICKFRAME), 0) << "the calendar has no border";
  // 4680 x 0.85 by 2355 twips at 15 twips per pixel.
  EXPECT_TRUE(EqualRects(WindowRect(calendar), RECT{0, 0, 265, 157})) << Describe(WindowRect(calendar));
  // The drawing area overhangs the window by 11 x 4 pixels; the buttons sit under the month.
  EXPECT_TRUE(EqualRects(RectOnParent(Picture(calendar)), RECT{0, 0, 276, 161}))
      << Describe(RectOnParent(Picture(calendar)));
  ASSERT_TRUE(PrevButton(calendar));
  ASSERT_TRUE(NextButton(calendar));
  EXPECT_TRUE(EqualRects(RectOnParent(PrevButton(calendar)), RECT{2, 55, 14, 67}));
  EXPECT_TRUE(EqualRects(RectOnParent(NextButton(calendar)), RECT{23, 55, 35, 67}));

  const auto layered = LayeredAttributes(calendar);
  if (layered) {
    EXPECT_EQ(layered->alpha, 255) << "opaque";
  }
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Enable"), "True");

  // Shown without being activated (its place in the stack: SentToTheBottomWithoutActivation).
  EXPECT_NE(GetForegroundWindow(), calendar);
  EXPECT_EQ(ExStyle(calendar) & WS_EX_TOPMOST, 0) << "the calendar is not a topmost window";

  // Dark blue where nothing is drawn (right of the Saturday column), white text in the year.
  ScreenImage shot = CaptureWindow(calendar);
  ASSERT_FALSE(shot.Empty());
  EXPECT_EQ(shot.At(258, 100), kDarkBlue);
  int white = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) white += SameColour(shot.At(x, y), RGB(255, 255, 255), 40);
  EXPECT_GT(white, 20) << "no year drawn";
  // For a person to look at (Japanese glyphs, shadows, colours).
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"calendar-window.bmp")));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, SentToTheBottomWithoutActivation) {
  // Away from the screen's top-left corner: under Wine the stand-in tray window sits there once the
  // program has added its icon, and Wine raises a window shown over it back to the top of the
  // stack. On Windows the tray lives in the always-on-top taskbar, so (0, 0) is no different.
  // A window that is already on the screen, away from the calendar: the calendar goes below it.
  UniqueWindow witness(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"witness", WS_POPUP | WS_VISIBLE, 700, 600, 40,
                                       40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(witness);
  AppFolder folder(Ini::Text(std::string(kEnabled) + "Top=4500\r\nLeft=4500\r\n"));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  EXPECT_EQ(WindowRect(calendar).left, 300);

  EXPECT_NE(GetForegroundWindow(), calendar);
  for (HWND below = GetWindow(calendar, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
    EXPECT_FALSE(IsWindowVisible(below)) << "visible window below the calendar: " << ClassName(below);
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

class CalendarStaysClosed : public Calendar, public ::testing::WithParamInterface<const char*> {};

TEST_P(CalendarStaysClosed, UnlessEnableIsExactlyTrue) {
  AppFolder folder(Ini::Text(GetParam()));
  AppProcess app = AppProcess::Start(folder);
  ASSERT_TRUE(app.WaitUntilResident());
  WindowFilter any;
  any.processId = app.Id();
  any.className = kCalendarClass;
  EXPECT_TRUE(StaysWithoutWindow(any));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Settings, CalendarStaysClosed,
                         ::testing::Values("", "[DESKTOPCAL]\r\nEnable=False\r\n", "[DESKTOPCAL]\r\nEnable=true\r\n",
                                           "[DESKTOPCAL]\r\nEnable=1\r\n"));

TEST_F(Calendar, FontSize20DoublesTheHeightWidensBy17AndMovesTheButtons) {
  ASSERT_EQ(ScreenDpi(), 96);
  AppFolder folder(Ini::Text(std::string(kEnabled) + "[CalFont]\r\nSize=20\r\n"));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  EXPECT_TRUE(EqualRects(WindowRect(calendar), RECT{0, 0, 530, 314})) << Describe(WindowRect(calendar));
  EXPECT_TRUE(EqualRects(RectOnParent(Picture(calendar)), RECT{0, 0, 541, 318}));
  EXPECT_TRUE(EqualRects(RectOnParent(PrevButton(calendar)), RECT{4, 105, 16, 117}))
      << Describe(RectOnParent(PrevButton(calendar)));
  EXPECT_TRUE(EqualRects(RectOnParent(NextButton(calendar)), RECT{41, 105, 53, 117}))
      << Describe(RectOnParent(NextButton(calendar)));
  // The day cells scale too: a release on the 10th's cell at size 20 opens the 10th.
  const YearMonth month = ThisMonth();
  HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(month, 10), 20));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(EditorShows(editor, NoteTitle(month, 10))) << WindowText(editor);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

struct OpacityCase {
  const char* trans;
  BYTE alpha;
};

class CalendarOpacity : public Calendar, public ::testing::WithParamInterface<OpacityCase> {};

TEST_P(CalendarOpacity, IsTheLayeredAlphaOfTheWindowClampedIntoAByte) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "TRANS=" + GetParam().trans + "\r\n"));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  const auto layered = LayeredAttributes(calendar);
  ASSERT_TRUE(layered) << "not a layered window";
  EXPECT_EQ(layered->alpha, GetParam().alpha);
  EXPECT_TRUE(layered->flags & LWA_ALPHA);
  EXPECT_TRUE(ExStyle(calendar) & WS_EX_TOOLWINDOW) << "the other extended styles must survive";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Trans, CalendarOpacity,
                         ::testing::Values(OpacityCase{"128", 128}, OpacityCase{"300", 255}, OpacityCase{"-20", 0},
                                           OpacityCase{"half", 255}));

TEST_F(Calendar, PagesDragsAndClosingStoresThePlaceAndMarksItClosed) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "Top=1500\r\nLeft=3000\r\n"));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  EXPECT_TRUE(EqualRects(WindowRect(calendar), RECT{200, 100, 465, 257})) << Describe(WindowRect(calendar));

  // ">" twice, "<" once: the next month.
  ASSERT_TRUE(ClickAt(NextButton(calendar), {6, 6}));
  ASSERT_TRUE(ClickAt(NextButton(calendar), {6, 6}));
  ASSERT_TRUE(ClickAt(PrevButton(calendar), {6, 6}));
  const YearMonth next = AddMonths(ThisMonth(), 1);
  HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(next, 1)));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(EditorShows(editor, NoteTitle(next, 1))) << WindowText(editor);
  ASSERT_TRUE(PostClose(editor));
  ASSERT_TRUE(WaitForNoWindow(EditorFilter(app)));

  // The left button drags the window.
  ASSERT_TRUE(DragAt(Picture(calendar), kOffTheGrid, {30, 20}));
  EXPECT_TRUE(WaitUntil([&] { return EqualRects(WindowRect(calendar), RECT{230, 120, 495, 277}); }))
      << Describe(WindowRect(calendar));

  ASSERT_TRUE(ClickAt(Picture(calendar), kOffTheGrid, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(CalendarFilter(app))) << "a double-click closes the calendar";
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Top"), "1800");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Left"), "3450");
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Enable"), "False");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(calendar); })) << "closed means gone, not hidden";
  EXPECT_TRUE(WaitForNoWindow(EditorFilter(app), kQuietPeriod)) << "the double-click opened a note";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, AfterARestartItShowsTheCurrentMonthAgain) {
  AppFolder folder(Ini::Text(kEnabled));
  const YearMonth month = ThisMonth();
  {
    AppProcess app;
    HWND calendar = StartWithCalendar(folder, app);
    ASSERT_TRUE(calendar);
    ASSERT_TRUE(ClickAt(NextButton(calendar), {6, 6}));
    HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(AddMonths(month, 1), 1)));
    ASSERT_TRUE(editor);
    EXPECT_TRUE(EditorShows(editor, NoteTitle(AddMonths(month, 1), 1)));
    // Ending the program stores nothing: the calendar stays marked open.
    EXPECT_EQ(app.CloseMainWindow(), 0u);
  }
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Enable"), "True");
  AppProcess again;
  HWND calendar = StartWithCalendar(folder, again);
  ASSERT_TRUE(calendar);
  HWND editor = ReleaseOver(again, calendar, CellPoint(CellOf(month, 1)));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(EditorShows(editor, NoteTitle(month, 1))) << WindowText(editor);
  EXPECT_EQ(again.CloseMainWindow(), 0u);
}

TEST_F(Calendar, AReleaseOverADayOpensItsNoteInOneSharedEditor) {
  AppFolder folder(Ini::Text(kEnabled));
  const YearMonth month = ThisMonth();
  WriteNote(folder, NoteTitle(month, 2), "一行目@@二行目, \"引用\"");
  const auto noteBefore = ReadFileBytes(NotePath(folder, NoteTitle(month, 2)));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);

  HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(month, 2)));
  ASSERT_TRUE(editor);
  EXPECT_TRUE(EditorShows(editor, NoteTitle(month, 2))) << WindowText(editor);
  EXPECT_EQ(WindowText(TextBox(editor)), "一行目\r\n二行目, \"引用\"");
  EXPECT_EQ(Style(editor) & WS_CAPTION, 0) << "the editor has no title bar";
  EXPECT_TRUE(Style(editor) & WS_THICKFRAME) << "the editor is sizable";
  const RECT client = ClientRectOnScreen(editor);
  EXPECT_EQ(client.right - client.left, 312);
  EXPECT_EQ(client.bottom - client.top, 213);
  EXPECT_TRUE(EqualRects(WindowRect(TextBox(editor)), client)) << "the text box fills the editor";

  // Another day reuses the open editor; a day without a note shows its title.
  ASSERT_TRUE(ClickAt(Picture(calendar), CellPoint(CellOf(month, 3)), MouseButton::Right));
  EXPECT_TRUE(EditorShows(editor, NoteTitle(month, 3))) << WindowText(editor);
  EXPECT_EQ(WindowText(TextBox(editor)), NoteTitle(month, 3));
  EXPECT_EQ(TopLevelWindows(EditorFilter(app)).size(), 1u);

  // A plain left click is a release over the day too.
  ASSERT_TRUE(ClickAt(Picture(calendar), CellPoint(CellOf(month, 4))));
  EXPECT_TRUE(EditorShows(editor, NoteTitle(month, 4))) << WindowText(editor);

  // Esc closes the editor without storing anything.
  ASSERT_TRUE(BringToFront(editor));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(WaitForNoWindow(EditorFilter(app)));
  EXPECT_EQ(ReadFileBytes(NotePath(folder, NoteTitle(month, 2))), noteBefore);
  EXPECT_FALSE(FileExists(NotePath(folder, NoteTitle(month, 3))));
  EXPECT_FALSE(FileExists(NotePath(folder, NoteTitle(month, 4))));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// The first click of the double-click is a left release over a day; the note waits out the
// double-click time and so never opens when the second click closes the calendar.
TEST_F(Calendar, ADoubleClickOnADayClosesTheCalendarAndOpensNoNote) {
  AppFolder folder(Ini::Text(kEnabled));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  ASSERT_TRUE(ClickAt(Picture(calendar), CellPoint(CellOf(ThisMonth(), 15)), MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(CalendarFilter(app))) << "a double-click closes the calendar";
  EXPECT_TRUE(StaysWithoutWindow(EditorFilter(app))) << "the double-click opened the day's note";
  EXPECT_EQ(folder.ReadSetting("DESKTOPCAL", "Enable"), "False");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, AReleaseOffTheDaysOpensNothing) {
  AppFolder folder(Ini::Text(kEnabled));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  const YearMonth month = ThisMonth();
  std::vector<POINT> points{kOffTheGrid, CellPoint(42)};  // index 42 lies below the grid and is always blank
  if (CellOf(month, 1) > 0) points.push_back(CellPoint(0));  // a blank cell before the first day
  for (POINT point : points) {
    ASSERT_TRUE(ClickAt(Picture(calendar), point, MouseButton::Right));
    EXPECT_TRUE(StaysWithoutWindow(EditorFilter(app))) << "at (" << point.x << ", " << point.y << ")";
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, ADoubleClickInTheEditorSavesTheNoteAndTheNextDrawingMarksTheDay) {
  AppFolder folder(Ini::Text(kEnabled));
  const YearMonth month = ThisMonth();
  // A day that is not today, whose digits are drawn at the normal size.
  const int day = Now().wDay == 1 ? 2 : 1;
  const std::string title = NoteTitle(month, day);
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  const ScreenImage before = CaptureWindow(calendar);

  HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(month, day)));
  ASSERT_TRUE(editor);
  ASSERT_TRUE(EditorShows(editor, title));
  HWND box = TextBox(editor);
  ASSERT_TRUE(Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")));
  ASSERT_TRUE(BringToFront(editor));
  ASSERT_TRUE(TypeText("メモ"));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(TypeText("二行目"));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(box) == "メモ\r\n二行目"; })) << WindowText(box);

  ASSERT_TRUE(ClickAt(box, {20, 40}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(EditorFilter(app))) << "a double-click closes the editor";
  ASSERT_TRUE(DirectoryExists(folder.PathOf(L"dic"))) << "the first save creates the folder";
  EXPECT_EQ(ReadFileBytes(NotePath(folder, title)), ToCp932("メモ@@二行目\r\n"));

  // Paging away and back draws the month again, now with the day's note mark: the only change
  // is inside that day's cell (the digits start at x = 42 + 30 k + 7, y = 42 + 20 r at size 10).
  // One click at a time: the next month must be on the screen before "<" is pressed (a click sent
  // while the window was still drawing the first one sometimes left it on another month).
  ASSERT_TRUE(ClickAt(NextButton(calendar), {6, 6}));
  ASSERT_TRUE(WaitUntil([&] {
    const ScreenImage next = CaptureWindow(calendar);
    int differing = 0;
    for (int y = 0; y < next.height; ++y)
      for (int x = 0; x < next.width; ++x) differing += next.At(x, y) != before.At(x, y);
    return differing > 200;
  })) << "\">\" shows the next month";
  ASSERT_TRUE(ClickAt(PrevButton(calendar), {6, 6}));
  const int cell = CellOf(month, day);
  const RECT cellBox{42 + 30 * (cell % 7), 42 + 20 * (cell / 7), 42 + 30 * (cell % 7) + 30, 42 + 20 * (cell / 7) + 20};
  // The buttons are no part of the drawing (they show focus and pressed states of their own).
  const RECT buttons[] = {RectOnParent(PrevButton(calendar)), RectOnParent(NextButton(calendar))};
  const auto onAButton = [&](int x, int y) {
    for (const RECT& b : buttons) {
      if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return true;
    }
    return false;
  };
  int changed = 0;
  std::string stray;
  // Waits out the next month's drawing, which differs everywhere.
  const bool marked = WaitUntil([&] {
    const ScreenImage after = CaptureWindow(calendar);
    changed = 0;
    stray.clear();
    for (int y = 0; y < after.height && stray.empty(); ++y) {
      for (int x = 0; x < after.width; ++x) {
        if (after.At(x, y) == before.At(x, y) || onAButton(x, y)) continue;
        ++changed;
        if (x < cellBox.left || x >= cellBox.right || y < cellBox.top || y >= cellBox.bottom) {
          stray = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
          break;
        }
      }
    }
    return changed > 5 && stray.empty();
  });
  EXPECT_TRUE(marked) << changed << " pixels changed; outside the cell " << Describe(cellBox) << ": " << stray;

  // A blank text is never stored, so the note stays as it is.
  editor = ReleaseOver(app, calendar, CellPoint(CellOf(month, day)));
  ASSERT_TRUE(editor);
  box = TextBox(editor);
  EXPECT_EQ(WindowText(box), "メモ\r\n二行目");
  ASSERT_TRUE(Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"   ")));
  ASSERT_TRUE(ClickAt(box, {20, 40}, MouseButton::Left, 2));
  EXPECT_TRUE(WaitForNoWindow(EditorFilter(app)));
  EXPECT_EQ(ReadFileBytes(NotePath(folder, title)), ToCp932("メモ@@二行目\r\n"));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// A note that cannot be stored (here a file stands where the "dic" folder belongs) is reported,
// and the editor stays open with the text, instead of closing as if it had been saved.
TEST_F(Calendar, ANoteThatCannotBeSavedIsReportedAndStaysInTheEditor) {
  AppFolder folder(Ini::Text(kEnabled));
  ASSERT_TRUE(WriteFileBytes(folder.PathOf(L"dic"), "not a folder"));
  const YearMonth month = ThisMonth();
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app);
  ASSERT_TRUE(calendar);
  HWND editor = ReleaseOver(app, calendar, CellPoint(CellOf(month, 3)));
  ASSERT_TRUE(editor);
  ASSERT_TRUE(EditorShows(editor, NoteTitle(month, 3)));
  HWND box = TextBox(editor);
  ASSERT_TRUE(Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"消えては困る")));
  ASSERT_TRUE(ClickAt(box, {20, 10}, MouseButton::Left, 2));
  const auto message = WaitForMessageBox(app.Id());
  ASSERT_TRUE(message) << "a failed save was not reported";
  EXPECT_EQ(message->text, "メモを保存できませんでした。");
  ASSERT_TRUE(PressButton(message->hwnd, "OK"));
  EXPECT_TRUE(IsWindowVisible(editor)) << "the editor closed as if the note had been saved";
  EXPECT_EQ(WindowText(box), "消えては困る");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, AMissingBackgroundPictureIsReportedAndTheMonthIsStillDrawn) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "[Calender]\r\nImage=1\r\nFilename=missing.jpg\r\n"));
  AppProcess app = AppProcess::Start(folder);
  ASSERT_TRUE(app);
  auto box = WaitForMessageBox(app.Id());
  ASSERT_TRUE(box) << "no message about the background picture";
  EXPECT_EQ(box->text, kBackgroundFailed);
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  ASSERT_TRUE(PressButton(box->hwnd, "OK"));

  HWND calendar = WaitForWindow(CalendarFilter(app));
  ASSERT_TRUE(calendar);
  ASSERT_TRUE(WaitUntilDrawn(calendar, kDarkBlue));
  ScreenImage shot = CaptureWindow(calendar);
  EXPECT_EQ(shot.At(258, 100), kDarkBlue) << "the plain background";
  int white = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) white += SameColour(shot.At(x, y), RGB(255, 255, 255), 40);
  EXPECT_GT(white, 20) << "no year drawn";

  // Every drawing tries the picture again.
  ASSERT_TRUE(ClickAt(NextButton(calendar), {6, 6}));
  box = WaitForMessageBox(app.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kBackgroundFailed);
  ASSERT_TRUE(PressButton(box->hwnd, "OK"));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Calendar, ABackgroundPictureIsStretchedOverTheWholeDrawingArea) {
  AppFolder folder(Ini::Text(std::string(kEnabled) + "[Calender]\r\nImage=1\r\nFilename=背景.bmp\r\n"));
  // Two pixels, red and green: stretched, the left half turns red and the right half green.
  const std::uint32_t pixels[] = {0xFF0000, 0x00FF00};
  ASSERT_TRUE(WriteFileBytes(folder.PathOf(L"背景.bmp"), qb::EncodeBmp24(pixels, 2, 1)));
  AppProcess app;
  HWND calendar = StartWithCalendar(folder, app, RGB(0, 255, 0), 40);
  ASSERT_TRUE(calendar);
  EXPECT_TRUE(DialogWindows(app.Id()).empty()) << "the picture was not loaded";
  ScreenImage shot = CaptureWindow(calendar);
  EXPECT_TRUE(SameColour(shot.At(15, 140), RGB(255, 0, 0), 40)) << std::hex << shot.At(15, 140);
  EXPECT_TRUE(SameColour(shot.At(258, 100), RGB(0, 255, 0), 40)) << std::hex << shot.At(258, 100);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
