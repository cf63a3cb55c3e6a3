// The wallpaper calendar's decisions: which picture is the user's own after a normal or an
// abnormal end of the last run, and when the drawing is due again.
#include <gtest/gtest.h>

#include <string>

#include "desktop/WallpaperCalendarPlan.h"
#include "unit/FakeFileSystem.h"

namespace {

TEST(WallpaperCalendarFile, RecognisedByItsNameInAnyFolderAndCase) {
  EXPECT_TRUE(qb::IsWallpaperCalendarFile("C:\\Users\\me\\Quorbell.bmp"));
  EXPECT_TRUE(qb::IsWallpaperCalendarFile("D:\\other place\\quorbell.BMP"));
  EXPECT_TRUE(qb::IsWallpaperCalendarFile("Quorbell.bmp"));
  EXPECT_FALSE(qb::IsWallpaperCalendarFile("C:\\Users\\me\\MyQuorbell.bmp"));
  EXPECT_FALSE(qb::IsWallpaperCalendarFile("C:\\Quorbell.bmp\\sea.bmp"));
  EXPECT_FALSE(qb::IsWallpaperCalendarFile("C:\\Quorbell\\VynWallpaper.bmp"));
  EXPECT_FALSE(qb::IsWallpaperCalendarFile(""));
}

TEST(OriginalWallpaper, TheUsersPictureIsNeverTakenFromTheCalendarPicture) {
  qb::test::FakeFileSystem fs;
  const std::string sea = "C:\\壁紙\\海.bmp";
  const std::string forest = "C:\\壁紙\\森.jpg";
  const std::string calendar = "C:\\Quorbell\\Quorbell.bmp";
  const std::string gone = "C:\\壁紙\\消えた.bmp";
  fs.files[sea] = "BM";
  fs.files[forest] = "jpeg";
  fs.files[calendar] = "BM";
  struct Case {
    const char* what;
    std::string current;
    std::string recorded;
    std::string expected;
  };
  const Case cases[] = {
      {"normal start: the wallpaper in force", sea, "", sea},
      {"the user chose another picture since the record", forest, sea, forest},
      {"after a crash the record stands in for the calendar picture", calendar, sea, sea},
      {"after a crash without a record nothing is drawn", calendar, "", ""},
      {"a recorded file that is gone is not used", calendar, gone, ""},
      {"a record that names a calendar picture is not used", calendar, "D:\\x\\QUORBELL.BMP", ""},
      {"no wallpaper at all: nothing is drawn", "", sea, ""},
      {"a wallpaper file that is gone: nothing is drawn", gone, sea, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(qb::ChooseOriginalWallpaper(c.current, c.recorded, fs), c.expected) << c.what;
}

TEST(WallpaperCalendarMidnight, DelayReachesJustPastTheNextMidnight) {
  constexpr std::uint32_t kDay = 24u * 60 * 60 * 1000;
  struct Case {
    int h, m, s, ms;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0, 0, 0, 0, kDay + 1000},
      {12, 0, 0, 0, kDay / 2 + 1000},
      {23, 59, 59, 999, 1 + 1000},
      {23, 0, 0, 0, 3600000 + 1000},
      {0, 0, 0, 1, kDay - 1 + 1000},
      {23, 59, 60, 500, 1 + 1000},  // a leap second still waits for midnight
      {-1, 0, 0, 0, kDay + 1000},   // a nonsensical clock waits a whole day rather than spin
  };
  for (const Case& c : cases) {
    EXPECT_EQ(qb::MillisecondsUntilMidnight(c.h, c.m, c.s, c.ms, 1000), c.expected) << c.h << ":" << c.m << ":" << c.s;
  }
  EXPECT_EQ(qb::MillisecondsUntilMidnight(18, 30, 0, 0, 0), 5u * 3600000 + 30u * 60000);
}

TEST(WallpaperCalendarMidnight, OutOfDateWhenDayMonthOrYearMoved) {
  EXPECT_FALSE(qb::WallpaperCalendarOutOfDate({2024, 2, 28}, {2024, 2, 28}));
  EXPECT_TRUE(qb::WallpaperCalendarOutOfDate({2024, 2, 28}, {2024, 2, 29}));
  EXPECT_TRUE(qb::WallpaperCalendarOutOfDate({2024, 2, 29}, {2024, 3, 1}));
  EXPECT_TRUE(qb::WallpaperCalendarOutOfDate({2024, 12, 31}, {2025, 1, 1}));
  // A clock set back also needs the earlier month drawn.
  EXPECT_TRUE(qb::WallpaperCalendarOutOfDate({2025, 1, 1}, {2024, 12, 31}));
}

}  // namespace
