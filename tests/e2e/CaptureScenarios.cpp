// The screen capture and the CD door through their hotkeys, pressed as real keys (SendInput) with
// the probe window in front: Print Screen saves the whole screen without the desktop calendar and
// memos, named for the moment, and puts the same picture on the clipboard; Ctrl+Print Screen takes
// the visible part of the window in front; printing without a printer does nothing and says
// nothing; the slot hotkeys' own Ctrl+Print Screen takes no picture; the CD hotkey says
// "ERROR です！" on a machine without a CD drive, every time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "HotkeySupport.h"
#include "harness/Harness.h"
#include "harness/ProbeTarget.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kCalendarClass[] = L"Quorbell.CalendarWindow";
constexpr wchar_t kMemoClass[] = L"Quorbell.MemoWindow";
constexpr char kCdError[] = "ERROR です！";
constexpr COLORREF kCalendarRed = RGB(255, 0, 0);  // BKCOLOR 255
constexpr COLORREF kMemoGreen = RGB(0, 255, 0);    // BKCOLOR0 65280
// A red calendar at (600, 420) and a green memo at (600, 100), clear of the probe at (100, 100).
constexpr char kCalendarAndMemo[] =
    "[SShot]\r\nPrn=False\r\n"
    "[DESKTOPCAL]\r\nEnable=True\r\nTop=6300\r\nLeft=9000\r\nBKCOLOR=255\r\n"
    "[DESKTOPMEMO]\r\nMEMO0=写らないメモ\r\nTOP0=1500\r\nLEFT0=9000\r\nBKCOLOR0=65280\r\n";

// A 24-bit bitmap file as the program writes it.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top row first
  [[nodiscard]] COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

std::optional<Picture> ReadBmp24(const std::string& bytes) {
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) | static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
  };
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  Picture p;
  p.width = static_cast<int>(u32(18));
  p.height = static_cast<int>(u32(22));
  const uint32_t offset = u32(10);
  if (p.width <= 0 || p.height <= 0 || (u32(28) & 0xFFFF) != 24) return std::nullopt;
  const size_t row = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
  if (bytes.size() < offset + row * static_cast<size_t>(p.height)) return std::nullopt;
  p.pixels.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
  for (int y = 0; y < p.height; ++y) {
    const size_t line = offset + row * static_cast<size_t>(p.height - 1 - y);  // bottom-up
    for (int x = 0; x < p.width; ++x) {
      const size_t at = line + static_cast<size_t>(x) * 3;
      p.pixels[static_cast<size_t>(y * p.width + x)] =
          RGB(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]), static_cast<uint8_t>(bytes[at]));
    }
  }
  return p;
}

// The clipboard's picture, read as 32-bit pixels.
std::optional<Picture> ClipboardPicture() {
  const UniqueBitmap bitmap = ReadClipboardBitmap();
  if (!bitmap.valid()) return std::nullopt;
  BITMAP info{};
  if (GetObjectW(bitmap.get(), sizeof info, &info) == 0) return std::nullopt;
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(info.bmHeight), bits.data(), &header, DIB_RGB_COLORS) !=
      info.bmHeight) {
    return std::nullopt;
  }
  Picture p{info.bmWidth, info.bmHeight, {}};
  for (const uint32_t v : bits) p.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  return p;
}

// "yymmddhhmmss" of a moment, as the capture names its files.
std::wstring Stamp(const SYSTEMTIME& t) {
  wchar_t text[16];
  swprintf(text, 16, L"%02d%02d%02d%02d%02d%02d", t.wYear % 100, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}
std::wstring StampNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Stamp(now);
}

RECT ScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class Capture : public Scenario {
protected:
  HWND Start(AppFolder& folder) {
    app = AppProcess::Start(folder);
    EXPECT_TRUE(app);
    return app ? app.WaitUntilResident() : nullptr;
  }

  // The capture files in the program's folder: twelve digits and ".BMP".
  static std::vector<std::wstring> CaptureFiles(const AppFolder& folder) {
    std::vector<std::wstring> found;
    for (const std::wstring& name : folder.Files()) {
      if (name.size() == 16 && name.substr(12) == L".BMP" &&
          name.find_first_not_of(L"0123456789") == 12) {
        found.push_back(name);
      }
    }
    return found;
  }
  static std::optional<std::wstring> WaitForCaptureFile(const AppFolder& folder) {
    std::optional<std::wstring> file;
    WaitUntil([&] {
      const auto files = CaptureFiles(folder);
      if (!files.empty()) file = files.front();
      return file.has_value();
    });
    return file;
  }

  WindowFilter Dialogs() const {
    WindowFilter filter;
    filter.processId = app.Id();
    filter.className = L"#32770";
    return filter;
  }

  // The program answers messages (it is not stuck in a capture or a message box loop it lost).
  bool Answers(HWND main) const { return Send(main, WM_NULL).has_value(); }

  AppProcess app;
};

TEST_F(Capture, PrintScreenSavesTheWholeScreenWithoutCalendarAndMemosAndPutsItOnTheClipboard) {
  // A window of another program under the calendar (started first, so the calendar lies over it),
  // as the screen shows it before the calendar comes.
  ProbeTarget under;
  ASSERT_TRUE(under.Ready());
  ASSERT_TRUE(SetWindowPos(under.Hwnd(), nullptr, 620, 440, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(under.Hwnd()).left == 620; }));
  Sleep(200);  // its repaint at the new place
  const RECT underRect = WindowRect(under.Hwnd());
  const ScreenImage underAlone = CaptureScreen(underRect);
  ASSERT_FALSE(underAlone.Empty());

  AppFolder folder(Ini::Text(kCalendarAndMemo));
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  WindowFilter calendarFilter{app.Id(), kCalendarClass, std::nullopt, true};
  WindowFilter memoFilter{app.Id(), kMemoClass, std::nullopt, true};
  const HWND calendar = WaitForWindow(calendarFilter);
  const HWND memo = WaitForWindow(memoFilter);
  ASSERT_TRUE(calendar && memo);
  const RECT calendarRect = WindowRect(calendar);
  const RECT memoRect = WindowRect(memo);
  RECT overlap{};
  ASSERT_TRUE(IntersectRect(&overlap, &calendarRect, &underRect)) << "the calendar does not cover the window";
  // Near the calendar's bottom-right corner, where it shows its background only.
  const POINT calendarPoint{overlap.right - 3, overlap.bottom - 3};
  const POINT memoPoint{memoRect.right - 6, memoRect.bottom - 6};
  auto screenAt = [](POINT p) { return CaptureScreen({p.x, p.y, p.x + 1, p.y + 1}).At(0, 0); };
  ASSERT_TRUE(WaitUntil([&] { return SameColour(screenAt(calendarPoint), kCalendarRed, 8); })) << "calendar not drawn";
  ASSERT_TRUE(WaitUntil([&] { return SameColour(screenAt(memoPoint), kMemoGreen, 8); })) << "memo not drawn";
  const RegionInfo memoRegion = WindowRegion(memo);
  ASSERT_EQ(memoRegion.type, SIMPLEREGION);
  ASSERT_EQ(WindowRegion(calendar).type, ERROR);
  // The window in front, which Wine needs to deliver the hotkey, away from the others.
  ProbeTarget front;
  ASSERT_TRUE(front.Ready());
  ASSERT_TRUE(WriteClipboardText("前の中身"));

  const std::wstring before = StampNow();
  ASSERT_TRUE(front.BringToFront() && PressCombination({0, VK_SNAPSHOT}));
  const auto name = WaitForCaptureFile(folder);
  const std::wstring after = StampNow();
  ASSERT_TRUE(name) << "no yymmddhhmmss.BMP in the program's folder";
  const std::wstring stamp = name->substr(0, 12);
  EXPECT_TRUE(before <= stamp && stamp <= after) << Narrow(stamp) << " not between " << Narrow(before) << " and "
                                                  << Narrow(after);
  EXPECT_TRUE(WaitForNoWindow(Dialogs(), 0ms)) << "a message box came up";

  const auto bytes = folder.ReadBytes(*name);
  ASSERT_TRUE(bytes);
  // Kept beside the tests for a person to look at.
  EXPECT_TRUE(WriteFileBytes(PathJoin(ExeDirectory(), L"capture-whole-screen.bmp"), *bytes));
  const auto picture = ReadBmp24(*bytes);
  ASSERT_TRUE(picture) << "not a 24-bit bitmap";
  const RECT screen = ScreenRect();
  EXPECT_EQ(picture->width, screen.right - screen.left);
  EXPECT_EQ(picture->height, screen.bottom - screen.top);
  // Where the calendar stands, the picture shows the window under it, repainted; where the memo
  // stands, the bare desktop, as in the picture's bottom-right corner.
  const COLORREF underCalendar = picture->At(calendarPoint.x - screen.left, calendarPoint.y - screen.top);
  const COLORREF expected = underAlone.At(calendarPoint.x - underRect.left, calendarPoint.y - underRect.top);
  EXPECT_FALSE(SameColour(underCalendar, kCalendarRed, 40)) << std::hex << underCalendar;
  EXPECT_TRUE(SameColour(underCalendar, expected)) << std::hex << underCalendar << " " << expected;
  const COLORREF bare = picture->At(picture->width - 1, picture->height - 1);
  const COLORREF underMemo = picture->At(memoPoint.x - screen.left, memoPoint.y - screen.top);
  EXPECT_FALSE(SameColour(underMemo, kMemoGreen, 40)) << std::hex << underMemo;
  EXPECT_TRUE(SameColour(underMemo, bare)) << std::hex << underMemo << " " << bare;

  // The same picture on the clipboard.
  const auto clip = ClipboardPicture();
  ASSERT_TRUE(clip) << "no picture on the clipboard";
  ASSERT_EQ(clip->width, picture->width);
  ASSERT_EQ(clip->height, picture->height);
  size_t different = 0;
  for (size_t i = 0; i < clip->pixels.size(); ++i) different += clip->pixels[i] != picture->pixels[i];
  EXPECT_EQ(different, 0u) << "pixels of the clipboard's picture unlike the file's";

  // The calendar and the memo have their shapes back and show again.
  EXPECT_EQ(WindowRegion(calendar).type, ERROR);
  const RegionInfo memoAfter = WindowRegion(memo);
  EXPECT_EQ(memoAfter.type, SIMPLEREGION);
  EXPECT_TRUE(EqualRect(&memoAfter.box, &memoRegion.box));
  EXPECT_TRUE(WaitUntil([&] { return SameColour(screenAt(calendarPoint), kCalendarRed, 8); }));
  EXPECT_TRUE(WaitUntil([&] { return SameColour(screenAt(memoPoint), kMemoGreen, 8); }));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Capture, ControlPrintScreenTakesTheVisiblePartOfTheWindowInFront) {
  AppFolder folder(Ini::Text("[SShot]\r\nPrn=False\r\n"));
  ASSERT_TRUE(Start(folder));
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  const RECT screen = ScreenRect();
  // Partly beyond the left and the bottom edge of the screen.
  ASSERT_TRUE(SetWindowPos(probe.Hwnd(), nullptr, screen.left - 120, screen.bottom - 150, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(probe.Hwnd()).left == screen.left - 120; }));
  const RECT window = WindowRect(probe.Hwnd());
  RECT visible{};
  IntersectRect(&visible, &window, &screen);

  ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_SNAPSHOT}));
  const auto name = WaitForCaptureFile(folder);
  ASSERT_TRUE(name);
  const auto bytes = folder.ReadBytes(*name);
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(WriteFileBytes(PathJoin(ExeDirectory(), L"capture-window-in-front.bmp"), *bytes));
  const auto picture = ReadBmp24(*bytes);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, visible.right - visible.left);
  EXPECT_EQ(picture->height, visible.bottom - visible.top);
  // It shows the probe as the screen does.
  const ScreenImage shot = CaptureScreen(visible);
  ASSERT_EQ(shot.width, picture->width);
  ASSERT_EQ(shot.height, picture->height);
  int same = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) same += SameColour(shot.At(x, y), picture->At(x, y));
  }
  EXPECT_GE(same, shot.width * shot.height * 95 / 100);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Capture, WithPrintingChosenAndNoPrinterNothingIsSavedAndNothingIsSaid) {
  AppFolder folder(Ini::Text("[SShot]\r\nPrn=True\r\n"));
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  const DWORD sequence = ClipboardSequence();
  ASSERT_TRUE(probe.BringToFront() && PressCombination({0, VK_SNAPSHOT}));
  // The picture reaches the clipboard before the page would go to the printer.
  ASSERT_TRUE(WaitUntil([&] { return ClipboardSequence() != sequence; })) << "no capture happened";
  EXPECT_TRUE(StaysWithoutWindow(Dialogs())) << "a message box came up";
  EXPECT_TRUE(CaptureFiles(folder).empty()) << "a file was written";
  EXPECT_TRUE(Answers(main));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// The copy and paste slot keys begin with Ctrl+Print Screen, the window capture's combination:
// the capture hotkey they set off while the slot action runs is passed on without action.
TEST_F(Capture, TheSlotKeysCtrlPrintScreenSetsOffNoCapture) {
  AppFolder folder(Ini::Text("[SShot]\r\nPrn=False\r\n"));
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe(L"notepad editmenu");
  ASSERT_TRUE(probe.Ready());
  const HWND edit = FindChild(probe.Hwnd(), L"Edit", std::nullopt);
  ASSERT_TRUE(edit);
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"写される文"));
  Send(edit, EM_SETSEL, 0, -1);
  ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_NUMPAD1}));
  ASSERT_TRUE(WaitUntil([&] { return ReadClipboardText() == "写される文"; })) << "slot 1 copied nothing";
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  // The copy may still be finishing when its text is on the clipboard, and a hotkey pressed
  // meanwhile is passed on without action: press again until the paste comes.
  bool pasted = false;
  for (int attempt = 0; attempt < 3 && !pasted; ++attempt) {
    ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_NUMPAD4}));
    pasted = WaitUntil([&] { return WindowText(edit).find("写される文") != std::string::npos; }, 3s);
  }
  ASSERT_TRUE(pasted) << "slot 1 pasted nothing";
  Sleep(static_cast<DWORD>(kQuietPeriod.count()));
  EXPECT_TRUE(CaptureFiles(folder).empty()) << "a capture was taken";
  EXPECT_EQ(ReadClipboardText(), "写される文") << "the clipboard was replaced";
  EXPECT_TRUE(WaitForNoWindow(Dialogs(), 0ms));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Capture, TheCdHotkeySaysErrorEachTimeWithoutACdDrive) {
  AppFolder folder;
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  for (int press = 1; press <= 2; ++press) {
    ASSERT_TRUE(probe.BringToFront() && PressCombination({MOD_CONTROL, VK_DIVIDE})) << "press " << press;
    const auto box = WaitForMessageBox(app.Id());
    ASSERT_TRUE(box) << "no message after press " << press;
    EXPECT_EQ(box->text, kCdError);
    EXPECT_EQ(box->caption, "Quorbell");
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    ASSERT_TRUE(PressButton(box->hwnd, "OK"));
    ASSERT_TRUE(WaitForNoWindow(Dialogs())) << "the message stayed after press " << press;
  }
  EXPECT_TRUE(Answers(main));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
