// The desktop wallpaper, driven through the real program: a random picture of a folder converted
// and applied at start-up; the month drawn into a copy of the user's wallpaper at a stored place,
// and the user's picture back in the registry after exit, after log-off, and after a killed run
// followed by a normal one. The bed shows no desktop outside a virtual desktop, so what is checked
// is what the shell would show: the registry value and the files it names.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "common/BmpFile.h"
#include "harness/DesktopWallpaper.h"
#include "harness/Harness.h"
#include "platform/WinText.h"
#include "win/PictureTestSupport.h"

namespace qb::e2e {
namespace {

using test::Bmp24;

constexpr wchar_t kRotated[] = L"VynWallpaper.bmp";
constexpr wchar_t kCalendarPicture[] = L"Quorbell.bmp";
// The user's own wallpaper: 800 x 600 of one colour, so any drawing on it shows.
constexpr std::uint32_t kUserColour = 0x305070;
constexpr int kUserWidth = 800;
constexpr int kUserHeight = 600;

bool WriteSolidBmp(const std::wstring& path, int width, int height, std::uint32_t rgb) {
  const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), rgb);
  return WriteFileBytes(path, EncodeBmp24(pixels.data(), width, height));
}

std::optional<Bmp24> ReadBmp(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return test::ParseBmp24(*bytes);
}

struct CalendarPixels {
  int white = 0;
  int shadow = 0;
  int other = 0;  // neither the user's colour nor calendar text
};

CalendarPixels CountIn(const Bmp24& bmp, int x0, int y0, int x1, int y1) {
  CalendarPixels c;
  for (int y = y0; y < y1 && y < bmp.height; ++y) {
    for (int x = x0; x < x1 && x < bmp.width; ++x) {
      const std::uint32_t p = bmp.At(x, y);
      if (test::Red(p) > 200 && test::Green(p) > 200 && test::Blue(p) > 200) {
        ++c.white;
      } else if (p == 0x0A0A0A) {
        ++c.shadow;
      } else if (p != kUserColour) {
        ++c.other;
      }
    }
  }
  return c;
}

bool ShowsCalendarAt(const Bmp24& bmp, int x, int y) {
  const CalendarPixels c = CountIn(bmp, x, y, x + 300, y + 170);
  return c.white > 200 && c.shadow > 50;
}

bool UntouchedAround(const Bmp24& bmp, int x, int y) {
  const CalendarPixels c = CountIn(bmp, x, y, x + 300, y + 170);
  return c.white == 0 && c.shadow == 0 && c.other == 0;
}

class Wallpaper : public ResidentScenario {
protected:
  bool WaitForRegistryWallpaper(const std::wstring& path) {
    return WaitUntil([&] { return SamePath(RegistryWallpaper(), path); });
  }

  WallpaperGuard wallpaper;
};

class WallpaperCalendar : public Wallpaper {
protected:
  void SetUp() override {
    Wallpaper::SetUp();
    ASSERT_TRUE(WriteSolidBmp(userPicture, kUserWidth, kUserHeight, kUserColour));
    ASSERT_TRUE(SetUserWallpaper(userPicture));
    ASSERT_TRUE(SamePath(RegistryWallpaper(), userPicture));
  }
  static std::string CalendarIni(int x, int y) {
    return "[Calender]\r\nEnable=1\r\nX=" + std::to_string(x) + "\r\nY=" + std::to_string(y) + "\r\n";
  }

  AppFolder folder{Ini::Text(CalendarIni(100, 80))};
  AppFolder pictures;  // the user's own folder, apart from the program's
  const std::wstring userPicture = pictures.PathOf(L"海の壁紙.bmp");
};

TEST_F(Wallpaper, RotationConvertsOneOfTheFolderPicturesAndMakesItTheWallpaper) {
  AppFolder folder;
  const std::wstring dir = folder.PathOf(L"壁紙 集");
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  // Told apart by size and colour: a red BMP, a green JPEG, a blue GIF.
  ASSERT_TRUE(WriteSolidBmp(PathJoin(dir, L"赤.bmp"), 40, 30, 0xFF0000));
  ASSERT_TRUE(test::WriteSolidJpeg(Narrow(PathJoin(dir, L"緑.jpg")), 64, 16, 0x00FF00));
  const std::uint32_t palette[4] = {0x0000FF, 0, 0, 0};
  ASSERT_TRUE(WriteFileBytes(PathJoin(dir, L"青.gif"), test::MakeGif(24, 36, palette, std::vector<std::uint8_t>(24 * 36, 0))));
  ASSERT_TRUE(WriteFileBytes(PathJoin(dir, L"readme.txt"), "not a picture"));
  folder.WriteIni("[Wallpaper]\r\nCheck=1\r\nDir=" + Narrow(dir) + "\r\n");

  // Every start picks anew: start until two different pictures came up (all twelve alike would
  // happen about once in 200 000 runs of a fair pick).
  std::set<int> widths;
  for (int run = 0; run < 12 && widths.size() < 2; ++run) {
    ASSERT_TRUE(Start(folder));
    ASSERT_TRUE(WaitForRegistryWallpaper(folder.PathOf(kRotated))) << Narrow(RegistryWallpaper());
    const auto bmp = ReadBmp(folder.PathOf(kRotated));
    ASSERT_TRUE(bmp);
    const std::uint32_t centre = bmp->At(bmp->width / 2, bmp->height / 2);
    if (bmp->width == 40) {
      EXPECT_EQ(bmp->height, 30);
      EXPECT_EQ(centre, 0xFF0000u);
    } else if (bmp->width == 64) {
      EXPECT_EQ(bmp->height, 16);
      EXPECT_GT(test::Green(centre), 240);
      EXPECT_LT(test::Red(centre) + test::Blue(centre), 30);
    } else {
      EXPECT_EQ(bmp->width, 24) << "not one of the folder's pictures";
      EXPECT_EQ(bmp->height, 36);
      EXPECT_EQ(centre, 0x0000FFu);
    }
    widths.insert(bmp->width);
    EXPECT_EQ(app.CloseMainWindow(), 0u);
  }
  EXPECT_EQ(widths.size(), 2u) << "the same picture at every start";
}

TEST_F(Wallpaper, RotationFromAFolderThatDoesNotExistLeavesTheUsersWallpaper) {
  AppFolder pictures;
  const std::wstring user = pictures.PathOf(L"mine.bmp");
  ASSERT_TRUE(WriteSolidBmp(user, 16, 16, kUserColour));
  ASSERT_TRUE(SetUserWallpaper(user));
  AppFolder folder(Ini::Text("[Wallpaper]\r\nCheck=1\r\nDir=" + Narrow(pictures.PathOf(L"ない")) + "\r\n"));
  ASSERT_TRUE(Start(folder));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(SamePath(RegistryWallpaper(), user)) << Narrow(RegistryWallpaper());
  EXPECT_FALSE(FileExists(folder.PathOf(kRotated)));
}

TEST_F(WallpaperCalendar, MonthDrawnIntoACopyOfTheUsersWallpaperAndThePictureBackAtExit) {
  ASSERT_TRUE(Start(folder));
  // The full path: the shell would look for a bare name in a folder of its own.
  ASSERT_TRUE(WaitForRegistryWallpaper(folder.PathOf(kCalendarPicture))) << Narrow(RegistryWallpaper());
  EXPECT_EQ(folder.ReadSetting("Wallpaper", "1"), Narrow(userPicture));
  const auto bmp = ReadBmp(folder.PathOf(kCalendarPicture));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, kUserWidth);
  EXPECT_EQ(bmp->height, kUserHeight);
  EXPECT_TRUE(ShowsCalendarAt(*bmp, 100, 80));
  EXPECT_TRUE(UntouchedAround(*bmp, 450, 400)) << "the user's picture around the calendar";
  EXPECT_TRUE(UntouchedAround(*bmp, 480, 0));
  CopyFileW(folder.PathOf(kCalendarPicture).c_str(), PathJoin(ExeDirectory(), L"wallpaper-calendar.bmp").c_str(), FALSE);

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(SamePath(RegistryWallpaper(), userPicture)) << Narrow(RegistryWallpaper());
  // The user's file itself was never drawn on.
  const auto user = ReadBmp(userPicture);
  ASSERT_TRUE(user);
  EXPECT_TRUE(UntouchedAround(*user, 100, 80));
}

TEST_F(WallpaperCalendar, AfterAKilledRunTheNextRunDrawsOnTheUsersPictureAndPutsItBack) {
  ASSERT_TRUE(Start(folder));
  ASSERT_TRUE(WaitForRegistryWallpaper(folder.PathOf(kCalendarPicture)));
  app.Kill();
  // What a crash leaves: the calendar picture is the wallpaper.
  ASSERT_TRUE(SamePath(RegistryWallpaper(), folder.PathOf(kCalendarPicture)));

  // Elsewhere this time, so a calendar drawn onto the old calendar would show both. Only the two
  // keys change: the rest of the file is what the killed run left.
  ASSERT_TRUE(WritePrivateProfileStringW(L"Calender", L"X", L"400", folder.IniPath().c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(L"Calender", L"Y", L"300", folder.IniPath().c_str()));
  ASSERT_TRUE(Start(folder));
  const auto bmp = ReadBmp(folder.PathOf(kCalendarPicture));
  ASSERT_TRUE(bmp);
  EXPECT_TRUE(ShowsCalendarAt(*bmp, 400, 300));
  EXPECT_TRUE(UntouchedAround(*bmp, 100, 80)) << "the calendar of the killed run";
  EXPECT_TRUE(SamePath(RegistryWallpaper(), folder.PathOf(kCalendarPicture)));

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(SamePath(RegistryWallpaper(), userPicture)) << Narrow(RegistryWallpaper());
  EXPECT_EQ(folder.ReadSetting("Wallpaper", "1"), Narrow(userPicture));
}

TEST_F(WallpaperCalendar, LogOffWritesTheUsersPictureBack) {
  const HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForRegistryWallpaper(folder.PathOf(kCalendarPicture)));
  // Windows asks before it logs off; the program never refuses.
  EXPECT_EQ(Send(main, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(SamePath(RegistryWallpaper(), userPicture)) << Narrow(RegistryWallpaper());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(WallpaperCalendar, WithoutAWallpaperNothingIsDrawnAndNothingIsAppliedAtExit) {
  ASSERT_TRUE(SetUserWallpaper(L""));
  ASSERT_TRUE(Start(folder));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_FALSE(FileExists(folder.PathOf(kCalendarPicture)));
  EXPECT_EQ(RegistryWallpaper(), L"");
}

}  // namespace
}  // namespace qb::e2e
