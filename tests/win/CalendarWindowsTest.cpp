// The calendar window and the note editor in this process: what they take from and store in the
// settings, paging, closing both ways, the background picture, and the editor's text, font,
// reuse, saving and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "calendar/CivilDate.h"
#include "calendar/DayNotes.h"
#include "calendar/DayNoteEditorWindow.h"
#include "calendar/MonthRender.h"
#include "calendar/CalendarWindow.h"
#include "common/FileSystem.h"
#include "common/Text.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"
#include "settings/Settings.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

class CalendarForms : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(folder.path().empty());
    UseSettingsFile(folder.File("Quorbell.ini"), SystemFileSystem());
    UseDayNoteFolder(Narrow(folder.path()), SystemFileSystem());
  }
  void TearDown() override {
    if (HWND editor = FindWindowW(DayNoteEditorWindow::ClassName(), nullptr)) DestroyWindow(editor);
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
    UseDayNoteFolder("", SystemFileSystem());
    const std::wstring dic = folder.path() + L"\\dic";
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dic + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((dic + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(dic.c_str());
  }

  void GivenSettings(const std::string& text) { ASSERT_TRUE(test::WriteBytes(folder.File("Quorbell.ini"), text)); }
  std::optional<std::string> Note(const std::string& title) const {
    return test::ReadBytes(folder.File("dic\\" + title + ".txt"));
  }

  test::TempFolder folder{L"qb-calendar-forms"};
};

COLORREF ImagePixel(const OffscreenImage& image, int x, int y) {
  GdiFlush();
  const std::uint32_t rgb = image.Pixels()[static_cast<size_t>(y) * image.Width() + x];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// --- the note editor ---

TEST_F(CalendarForms, TheEditorShowsTheNoteUnderItsTitleInMsGothic9pt) {
  DayNoteEditorWindow* editor = ShowDayNoteEditor("2005年1月1日", "a@@b, \"c\"");
  ASSERT_NE(editor, nullptr);
  const HWND hwnd = editor->Hwnd();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(editor->Title(), "2005年1月1日");
  wchar_t caption[64] = {};
  GetWindowTextW(hwnd, caption, 64);
  EXPECT_EQ(Narrow(caption), "2005年1月1日");
  EXPECT_EQ(editor->Text(), "a\r\nb, \"c\"");
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, 0);

  ASSERT_EQ(ScreenDpi(), 96);
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 312);
  EXPECT_EQ(client.bottom, 213);
  RECT boxOnScreen{};
  GetWindowRect(editor->TextBox(), &boxOnScreen);
  EXPECT_EQ(boxOnScreen.right - boxOnScreen.left, 312) << "the text box fills the editor";
  EXPECT_EQ(boxOnScreen.bottom - boxOnScreen.top, 213);

  LOGFONTW font{};
  const auto hfont = reinterpret_cast<HFONT>(SendMessageW(editor->TextBox(), WM_GETFONT, 0, 0));
  ASSERT_NE(hfont, nullptr);
  ASSERT_NE(GetObjectW(hfont, sizeof font, &font), 0);
  EXPECT_EQ(Narrow(font.lfFaceName), "ＭＳ ゴシック");
  EXPECT_EQ(font.lfHeight, -12) << "9 pt at 96 dpi";

  // The text box follows every resize.
  SetWindowPos(hwnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(hwnd, &client);
  GetWindowRect(editor->TextBox(), &boxOnScreen);
  EXPECT_EQ(boxOnScreen.right - boxOnScreen.left, client.right);
  EXPECT_EQ(boxOnScreen.bottom - boxOnScreen.top, client.bottom);
}

TEST_F(CalendarForms, AnotherDayReusesTheOpenEditorAndDropsItsUnsavedText) {
  DayNoteEditorWindow* editor = ShowDayNoteEditor("2005年1月1日", "");
  ASSERT_NE(editor, nullptr);
  const HWND hwnd = editor->Hwnd();
  EXPECT_EQ(editor->Text(), "2005年1月1日") << "a day without a note shows its title";
  editor->SetText("typed, never saved");
  DayNoteEditorWindow* again = ShowDayNoteEditor("2005年1月2日", "x@@");
  EXPECT_EQ(again, editor);
  EXPECT_EQ(again->Hwnd(), hwnd);
  EXPECT_EQ(again->Title(), "2005年1月2日");
  EXPECT_EQ(again->Text(), "x\r\n");
  EXPECT_EQ(Note("2005年1月1日"), std::nullopt);
}

TEST_F(CalendarForms, ADoubleClickInTheTextSavesANonBlankTextAndCloses) {
  DayNoteEditorWindow* editor = ShowDayNoteEditor("2005年1月1日", "");
  ASSERT_NE(editor, nullptr);
  editor->SetText("一行目\r\n二行目");
  SendMessageW(editor->TextBox(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Note("2005年1月1日"), Utf8ToCp932("一行目@@二行目\r\n"));
  PumpPendingMessages();
  EXPECT_EQ(editor->Hwnd(), nullptr) << "the editor closes after saving";

  // A blank text closes the editor too, and leaves the note as it was.
  editor = ShowDayNoteEditor("2005年1月1日", "一行目@@二行目");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), "一行目\r\n二行目");
  editor->SetText("    ");
  SendMessageW(editor->TextBox(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  PumpPendingMessages();
  EXPECT_EQ(editor->Hwnd(), nullptr);
  EXPECT_EQ(Note("2005年1月1日"), Utf8ToCp932("一行目@@二行目\r\n"));
}

TEST_F(CalendarForms, EscClosesTheEditorWithoutSavingAndTheNextOpeningMakesItAgain) {
  DayNoteEditorWindow* editor = ShowDayNoteEditor("2005年1月3日", "");
  ASSERT_NE(editor, nullptr);
  editor->SetText("not kept");
  SendMessageW(editor->TextBox(), WM_KEYUP, VK_RETURN, 0);
  PumpPendingMessages();
  EXPECT_NE(editor->Hwnd(), nullptr) << "only Esc closes";
  SendMessageW(editor->TextBox(), WM_KEYUP, VK_ESCAPE, 0);
  PumpPendingMessages();
  EXPECT_EQ(editor->Hwnd(), nullptr);
  EXPECT_EQ(Note("2005年1月3日"), std::nullopt);
  editor = ShowDayNoteEditor("2005年1月3日", "");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(IsWindowVisible(editor->Hwnd()));
}

// --- the calendar window ---

TEST_F(CalendarForms, LoadingTakesColourAndSizeFromTheSettingsAndMarksTheCalendarOpen) {
  GivenSettings("[DESKTOPCAL]\r\nBKCOLOR=255\r\nTRANS=77\r\n[CalFont]\r\nSize=20\r\n");
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  EXPECT_EQ(CalendarWindowHandle, calendar.Hwnd());
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Enable", ""), "True");
  EXPECT_FALSE(IsWindowVisible(calendar.Hwnd())) << "loading does not show the window";
  const OffscreenImage& image = calendar.DrawingArea().Image();
  EXPECT_EQ(image.Width(), 541);
  EXPECT_EQ(image.Height(), 318);
  EXPECT_EQ(ImagePixel(image, image.Width() - 2, image.Height() - 2), RGB(255, 0, 0));
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(calendar.Hwnd(), nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 77);
  const CivilDate today = LocalToday();
  EXPECT_EQ(TheCalendarMonth().CalendarYear, today.year);
  EXPECT_EQ(TheCalendarMonth().CalendarMonth, today.month);
}

TEST_F(CalendarForms, TheButtonsPageMonthsFromTheCurrentOne) {
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  const HWND next = FindWindowExW(calendar.Hwnd(), nullptr, L"Button", L">");
  const HWND prev = FindWindowExW(calendar.Hwnd(), nullptr, L"Button", L"<");
  ASSERT_TRUE(next && prev);
  SendMessageW(next, BM_CLICK, 0, 0);
  SendMessageW(next, BM_CLICK, 0, 0);
  SendMessageW(prev, BM_CLICK, 0, 0);
  EXPECT_EQ(calendar.MonthOffset(), 1);
  const CivilDate shown = ShownDate(LocalToday(), 1);
  EXPECT_EQ(TheCalendarMonth().CalendarYear, shown.year);
  EXPECT_EQ(TheCalendarMonth().CalendarMonth, shown.month);
  for (int i = 0; i < 13; ++i) calendar.OnPrevClick();
  const CivilDate yearAgo = ShownDate(LocalToday(), -12);
  EXPECT_EQ(TheCalendarMonth().CalendarYear, yearAgo.year);
  EXPECT_EQ(TheCalendarMonth().CalendarMonth, yearAgo.month);
}

TEST_F(CalendarForms, ADoubleClickStoresThePlaceAndMarksTheCalendarClosed) {
  GivenSettings("[DESKTOPCAL]\r\nTop=300\r\nLeft=600\r\n");
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  RECT place{};
  GetWindowRect(calendar.Hwnd(), &place);
  EXPECT_EQ(place.left, 40);
  EXPECT_EQ(place.top, 20);
  SetWindowPos(calendar.Hwnd(), nullptr, 70, -5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(calendar.DrawingArea().Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(calendar.Hwnd(), nullptr);
  EXPECT_EQ(CalendarWindowHandle, nullptr);
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Top", ""), "-75");
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Left", ""), "1050");
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Enable", ""), "False");
}

// Closed another way than by its double-click, the calendar stores nothing but is no longer the
// open calendar, so the tray item can open a new one.
TEST_F(CalendarForms, ACloseMessageStoresNothingAndLeavesTheCalendarMarkedOpen) {
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  const HWND hwnd = calendar.Hwnd();
  ASSERT_EQ(CalendarWindowHandle, hwnd);
  const auto before = test::ReadBytes(folder.File("Quorbell.ini"));
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CalendarWindowHandle, nullptr);
  EXPECT_EQ(test::ReadBytes(folder.File("Quorbell.ini")), before);
  EXPECT_EQ(ReadSetting("DESKTOPCAL", "Enable", ""), "True");
}

TEST_F(CalendarForms, AReleaseOverADayOpensItsNoteAndOffTheDaysNothing) {
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  const CalendarMonthState& month = TheCalendarMonth();
  const int cell = static_cast<int>(WeekdayOf(DaysFromCivil(month.CalendarYear, month.CalendarMonth, 1))) + 4;
  const std::string title = DayNoteTitle(month.CalendarYear, month.CalendarMonth, 5);
  ASSERT_TRUE(CreateDirectoryW((folder.path() + L"\\dic").c_str(), nullptr));
  ASSERT_TRUE(test::WriteBytes(folder.File("dic\\" + title + ".txt"), *Utf8ToCp932("n@@m\r\n")));

  SendMessageW(calendar.DrawingArea().Hwnd(), WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(FindWindowW(DayNoteEditorWindow::ClassName(), nullptr), nullptr);
  SendMessageW(calendar.DrawingArea().Hwnd(), WM_MBUTTONUP, 0,
               MAKELPARAM(60 + 30 * (cell % 7), 40 + 20 * (cell / 7)));
  const HWND editor = FindWindowW(DayNoteEditorWindow::ClassName(), nullptr);
  ASSERT_NE(editor, nullptr);
  wchar_t caption[64] = {};
  GetWindowTextW(editor, caption, 64);
  EXPECT_EQ(Narrow(caption), title);
  wchar_t text[64] = {};
  GetWindowTextW(FindWindowExW(editor, nullptr, L"Edit", nullptr), text, 64);
  EXPECT_EQ(Narrow(text), "n\r\nm");
}

TEST_F(CalendarForms, ABackgroundPictureIsStretchedAndAFailureReported) {
  CalendarWindow calendar;
  ASSERT_TRUE(calendar.Load());
  const OffscreenImage& image = calendar.DrawingArea().Image();
  EXPECT_TRUE(calendar.LoadCalendarBackground(folder.File("missing.jpg"))) << "a missing file is a failure";
  ASSERT_TRUE(test::WriteBytes(folder.File("garbage.gif"), "GIF89a, but nothing after it"));
  EXPECT_TRUE(calendar.LoadCalendarBackground(folder.File("garbage.gif")));
  EXPECT_EQ(ImagePixel(image, image.Width() - 2, image.Height() - 2), RGB(0, 18, 122)) << "failures draw nothing";

  ASSERT_TRUE(test::WriteSolidJpeg(folder.File("背景.jpg"), 8, 8, 0x20C040));
  EXPECT_FALSE(calendar.LoadCalendarBackground(folder.File("背景.jpg")));
  const COLORREF corner = ImagePixel(image, image.Width() - 2, image.Height() - 2);
  EXPECT_LT(std::abs(GetRValue(corner) - 0x20), 16);
  EXPECT_LT(std::abs(GetGValue(corner) - 0xC0), 16);
  EXPECT_LT(std::abs(GetBValue(corner) - 0x40), 16);

  const std::uint32_t palette[4] = {0xFF00FF, 0, 0, 0};
  ASSERT_TRUE(test::WriteBytes(folder.File("bg.gif"), test::MakeGif(2, 2, palette, {0, 0, 0, 0})));
  EXPECT_FALSE(calendar.LoadCalendarBackground(folder.File("bg.gif")));
  EXPECT_EQ(ImagePixel(image, 3, 3), RGB(255, 0, 255));
}

// While the first calendar is still loading (its background-picture message box is open), a
// second request, as the tray menu can make from that box's message loop, opens nothing.
struct SecondRequest {
  bool made = false;
  HWND result = nullptr;
};
SecondRequest g_secondRequest;

void CALLBACK DuringLoading(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_secondRequest.made) {
    g_secondRequest.made = true;
    g_secondRequest.result = OpenDesktopCalendar();
  }
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (std::wstring(name) == L"#32770") PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return TRUE;
      },
      0);
}

int CalendarWindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (std::wstring(name) == CalendarWindow::ClassName() && IsWindow(hwnd)) ++*reinterpret_cast<int*>(lp);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(CalendarForms, ARequestWhileTheCalendarIsLoadingOpensNoSecondOne) {
  GivenSettings("[Calender]\r\nImage=1\r\nFilename=missing.jpg\r\n");
  g_secondRequest = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, DuringLoading);
  ASSERT_NE(timer, 0u);
  const HWND first = OpenDesktopCalendar();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(first);
  EXPECT_TRUE(g_secondRequest.made) << "the message box never ran the timer";
  EXPECT_EQ(g_secondRequest.result, nullptr);
  EXPECT_EQ(CalendarWindowsOfThisThread(), 1);
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (std::wstring(name) == CalendarWindow::ClassName()) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
      },
      0);
  CalendarWindowHandle = nullptr;
}

}  // namespace
}  // namespace qb
