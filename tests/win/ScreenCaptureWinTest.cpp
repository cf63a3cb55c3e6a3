// The screen capture in this process: the desktop calendar and memos left out of the picture and
// given their shapes back, the window's visible part, the clipboard untouched by a failed capture,
// the file replaced within one second and reported when it cannot be written, and the printed
// page's drawing, seen through an enhanced metafile (this bed has no printer).
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "calendar/CalendarWindow.h"
#include "common/FileSystem.h"
#include "common/OpenWork.h"
#include "hotkeys/CapturePrinting.h"
#include "hotkeys/ScreenCapture.h"
#include "memo/DesktopMemos.h"
#include "platform/Clipboard.h"
#include "platform/MessagePump.h"
#include "platform/PictureFile.h"
#include "settings/Settings.h"
#include "win/PictureTestSupport.h"
#include "win/ToolTestSupport.h"

namespace qb {
namespace {

constexpr LocalDateTime kMoment{2005, 3, 1, 14, 5, 9};
constexpr char kFileName[] = "050301140509.BMP";
constexpr std::uint32_t kRed = 0xFF0000;    // 0x00RRGGBB
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

// Two colours 0x00RRGGBB alike within `tolerance` in each of red, green and blue.
bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 24) {
  return std::abs(test::Red(a) - test::Red(b)) <= tolerance && std::abs(test::Green(a) - test::Green(b)) <= tolerance &&
         std::abs(test::Blue(a) - test::Blue(b)) <= tolerance;
}

// The screen's colour at a point, read the way the capture reads it.
std::uint32_t ScreenColour(int x, int y) {
  const auto picture = TakeScreenPicture({x, y, x + 1, y + 1});
  return picture ? picture->pixels[0] & 0xFFFFFF : 0xFFFFFFFF;
}

bool PumpUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 300; ++i) {
    PumpPendingMessages();
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

RECT Rect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

class ScreenCaptureWin : public testing::Test {
protected:
  void SetUp() override { UseSettingsFile(folder.File("Quorbell.ini"), SystemFileSystem()); }
  void TearDown() override {
    for (HWND& memo : MemoWindows) {
      if (memo != nullptr) DestroyWindow(memo);
    }
    if (CalendarWindowHandle != nullptr) DestroyWindow(CalendarWindowHandle);
    PumpPendingMessages();
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
  }

  CaptureRequest FileRequest() const {
    CaptureRequest request;
    request.directory = ParentPath(folder.File("x"));
    request.time = kMoment;
    return request;
  }

  std::optional<test::Bmp24> CaptureFile() const {
    const auto bytes = test::ReadBytes(folder.File(kFileName));
    if (!bytes) return std::nullopt;
    return test::ParseBmp24(*bytes);
  }

  // Every file of the folder but the settings.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    auto listed = SystemFileSystem().ListDirectory(ParentPath(folder.File("x")), "");
    if (!listed) return names;
    for (const auto& entry : *listed) {
      if (entry.name != "Quorbell.ini") names.push_back(entry.name);
    }
    return names;
  }

  test::TempFolder folder{L"qb-screen-capture"};
  OpenWorkSavers savers;
};

TEST_F(ScreenCaptureWin, CalendarAndMemosAreLeftOutOfThePictureAndGetTheirShapesBack) {
  // A red calendar at (300, 300) and a green memo at (700, 100), pixels at 96 dpi.
  ASSERT_TRUE(test::WriteBytes(folder.File("Quorbell.ini"),
                               "[DESKTOPCAL]\r\nTop=4500\r\nLeft=4500\r\nBKCOLOR=255\r\n"
                               "[DESKTOPMEMO]\r\nMEMO4=memo\r\nTOP4=1500\r\nLEFT4=10500\r\nBKCOLOR4=65280\r\n"));
  SetUpDesktopMemos(savers);
  LoadDesktopMemos();
  ASSERT_NE(OpenDesktopCalendar(), nullptr);
  const HWND calendar = CalendarWindowHandle;
  const HWND memo = MemoWindows[4];
  ASSERT_NE(memo, nullptr);
  const RECT calendarRect = Rect(calendar);
  const RECT memoRect = Rect(memo);
  const POINT calendarPoint{calendarRect.right - 3, calendarRect.bottom - 3};
  const POINT memoPoint{memoRect.right - 6, memoRect.bottom - 6};
  ASSERT_TRUE(PumpUntil([&] { return Near(ScreenColour(calendarPoint.x, calendarPoint.y), kRed); }));
  ASSERT_TRUE(PumpUntil([&] { return Near(ScreenColour(memoPoint.x, memoPoint.y), kGreen); }));
  RECT memoRegionBefore{};
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(memo, probe), SIMPLEREGION);
  GetRgnBox(probe, &memoRegionBefore);

  ASSERT_EQ(RunCapture(FileRequest()), CaptureOutcome::Saved);

  const auto file = CaptureFile();
  ASSERT_TRUE(file);
  const PixelRect screen = VirtualScreen();
  EXPECT_EQ(file->width, screen.right - screen.left);
  EXPECT_EQ(file->height, screen.bottom - screen.top);
  const std::uint32_t underCalendar = file->At(calendarPoint.x - screen.left, calendarPoint.y - screen.top);
  const std::uint32_t underMemo = file->At(memoPoint.x - screen.left, memoPoint.y - screen.top);
  EXPECT_FALSE(Near(underCalendar, kRed)) << std::hex << underCalendar;
  EXPECT_FALSE(Near(underMemo, kGreen)) << std::hex << underMemo;
  // Both shapes are back: the calendar has no region, the memo its rim.
  EXPECT_EQ(GetWindowRgn(calendar, probe), ERROR);
  ASSERT_EQ(GetWindowRgn(memo, probe), SIMPLEREGION);
  RECT memoRegionAfter{};
  GetRgnBox(probe, &memoRegionAfter);
  DeleteObject(probe);
  EXPECT_TRUE(EqualRect(&memoRegionBefore, &memoRegionAfter));
  EXPECT_TRUE(PumpUntil([&] { return Near(ScreenColour(calendarPoint.x, calendarPoint.y), kRed); }));
  EXPECT_TRUE(PumpUntil([&] { return Near(ScreenColour(memoPoint.x, memoPoint.y), kGreen); }));

  // The clipboard holds the same picture.
  const UniqueBitmap clip = ReadClipboardBitmap();
  ASSERT_TRUE(clip.valid());
  BITMAP info{};
  GetObjectW(clip.get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, file->width);
  EXPECT_EQ(info.bmHeight, file->height);
}

TEST_F(ScreenCaptureWin, WindowCaptureTakesTheVisiblePartOfAWindowPartlyOffTheScreen) {
  const PixelRect screen = VirtualScreen();
  const UniqueWindow window = test::FrontCandidate(screen.left - 50, screen.bottom - 100, 300, 250);
  ASSERT_TRUE(window.valid());
  PumpPendingMessages();
  CaptureRequest request = FileRequest();
  request.windowCapture = true;
  request.target = window.get();
  ASSERT_EQ(RunCapture(request), CaptureOutcome::Saved);
  const auto file = CaptureFile();
  ASSERT_TRUE(file);
  EXPECT_EQ(file->width, 250);
  EXPECT_EQ(file->height, 100);
}

TEST_F(ScreenCaptureWin, NoPictureLeavesTheClipboardAsItWasAndWritesNothing) {
  ASSERT_TRUE(WriteClipboardText("キャプチャ前"));
  const PixelRect screen = VirtualScreen();
  const UniqueWindow offScreen = test::FrontCandidate(screen.right + 100, screen.bottom + 100, 200, 100);
  for (const HWND target : {static_cast<HWND>(nullptr), offScreen.get()}) {
    CaptureRequest request = FileRequest();
    request.windowCapture = true;
    request.target = target;
    EXPECT_EQ(RunCapture(request), CaptureOutcome::NoPicture);
  }
  EXPECT_EQ(ReadClipboardText(), "キャプチャ前");
  EXPECT_TRUE(Files().empty());
}

TEST_F(ScreenCaptureWin, ASecondCaptureWithinTheSameSecondReplacesTheFile) {
  const UniqueWindow window = test::FrontCandidate(10, 10, 120, 80);
  CaptureRequest request = FileRequest();
  request.windowCapture = true;
  request.target = window.get();
  ASSERT_EQ(RunCapture(request), CaptureOutcome::Saved);
  SetWindowPos(window.get(), nullptr, 0, 0, 160, 90, SWP_NOMOVE | SWP_NOZORDER);
  PumpPendingMessages();
  ASSERT_EQ(RunCapture(request), CaptureOutcome::Saved);
  EXPECT_EQ(Files(), std::vector<std::string>{kFileName}) << "no second file and no temporary file";
  const auto file = CaptureFile();
  ASSERT_TRUE(file);
  EXPECT_EQ(file->width, 160) << "the second capture replaced the first";
}

TEST_F(ScreenCaptureWin, AFileThatCannotBeWrittenIsReported) {
  CaptureRequest request = FileRequest();
  request.directory += "\\no such folder";
  EXPECT_EQ(RunCapture(request), CaptureOutcome::NotSaved);
  EXPECT_EQ(CaptureMessage(CaptureOutcome::NotSaved), "保存出来ませんでした。");
}

// A picture made on the spot: the left half red, the right half blue.
ScreenPicture TwoColourPicture(int width, int height) {
  ScreenPicture picture;
  std::uint32_t* bits = nullptr;
  picture.bitmap = CreateTopDownDib(width, height, &bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bits[y * width + x] = x < width / 2 ? kRed : kBlue;
  }
  picture.pixels = bits;
  picture.size = {width, height, 96, 96};
  return picture;
}

// The StretchDIBits records of a metafile.
std::vector<EMRSTRETCHDIBITS> StretchRecords(HENHMETAFILE metafile) {
  std::vector<EMRSTRETCHDIBITS> found;
  EnumEnhMetaFile(
      nullptr, metafile,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM lp) -> int {
        if (record->iType == EMR_STRETCHDIBITS) {
          reinterpret_cast<std::vector<EMRSTRETCHDIBITS>*>(lp)->push_back(
              *reinterpret_cast<const EMRSTRETCHDIBITS*>(record));
        }
        return 1;
      },
      &found, nullptr);
  return found;
}

TEST_F(ScreenCaptureWin, PrintedPageDrawsThePictureWhereThePlacementSays) {
  const ScreenPicture picture = TwoColourPicture(40, 20);
  HDC page = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(page, nullptr);
  const auto place = PrintPlacement(picture.size, PrintablePageOf(page));
  ASSERT_TRUE(place);
  // The metafile's page is the screen: 10 mm at its dots per inch, the picture at its own size.
  const int left = static_cast<int>(10 / 25.4 * GetDeviceCaps(page, LOGPIXELSX) + 0.5);
  EXPECT_EQ(*place, (PixelRect{left, 0, left + 40, 20}));
  EXPECT_TRUE(DrawCapturePicture(page, picture, *place));
  // The same picture shrunk to half its size below it.
  EXPECT_TRUE(DrawCapturePicture(page, picture, {left, 30, left + 20, 40}));
  HENHMETAFILE metafile = CloseEnhMetaFile(page);
  ASSERT_NE(metafile, nullptr);

  const auto records = StretchRecords(metafile);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].xDest, left);
  EXPECT_EQ(records[0].yDest, 0);
  EXPECT_EQ(records[0].cxDest, 40);
  EXPECT_EQ(records[0].cyDest, 20);
  EXPECT_EQ(records[0].cxSrc, 40);
  EXPECT_EQ(records[0].cySrc, 20);
  EXPECT_EQ(records[1].cxDest, 20);
  EXPECT_EQ(records[1].cyDest, 10);

  // Played back one to one, the page shows the picture where it was placed.
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(metafile, sizeof header, &header);
  const RECT bounds{header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1, header.rclBounds.bottom + 1};
  EXPECT_EQ(bounds.left, left);
  EXPECT_EQ(bounds.top, 0);
  std::uint32_t* bits = nullptr;
  const UniqueBitmap target = CreateTopDownDib(200, 60, &bits);
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  {
    const SelectGuard select(dc.get(), target.get());
    ASSERT_TRUE(PlayEnhMetaFile(dc.get(), metafile, &bounds));
    GdiFlush();
  }
  DeleteEnhMetaFile(metafile);
  auto at = [&](int x, int y) { return bits[y * 200 + x] & 0xFFFFFF; };
  EXPECT_TRUE(Near(at(left + 5, 10), kRed)) << std::hex << at(left + 5, 10);
  EXPECT_TRUE(Near(at(left + 35, 10), kBlue)) << std::hex << at(left + 35, 10);
  EXPECT_TRUE(Near(at(left + 3, 35), kRed)) << std::hex << at(left + 3, 35);
  EXPECT_TRUE(Near(at(left + 17, 35), kBlue)) << std::hex << at(left + 17, 35);
  EXPECT_EQ(at(left - 5, 10), 0u) << "nothing left of the margin";
  EXPECT_EQ(at(left + 45, 10), 0u) << "natural size: nothing beyond the picture";
}

TEST_F(ScreenCaptureWin, WithoutAPrinterNothingIsPrintedOrSaved) {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size != 0) GTEST_SKIP() << "this machine has a printer: the test would print";
  const ScreenPicture picture = TwoColourPicture(8, 8);
  EXPECT_FALSE(PrintCapture(picture));
  CaptureRequest request = FileRequest();
  request.print = true;
  EXPECT_EQ(RunCapture(request), CaptureOutcome::NotPrinted);
  EXPECT_EQ(CaptureMessage(CaptureOutcome::NotPrinted), std::nullopt);
  EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace qb
