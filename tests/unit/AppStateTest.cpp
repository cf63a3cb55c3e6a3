#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/AppState.h"
#include "calendar/MonthRender.h"
#include "common/FileSystem.h"
#include "settings/Settings.h"

namespace {

TEST(AppStateConversions, FlagsAreTrueUnlessExactlyZero) {
  EXPECT_FALSE(qb::FlagFromText("0"));
  for (const char* text : {"1", "", "True", "00", " 0x", "-1"}) EXPECT_TRUE(qb::FlagFromText(text)) << text;
}

TEST(AppStateConversions, MouseWarpModeIsASixteenBitInteger) {
  EXPECT_EQ(qb::MouseWarpModeFromText("1"), 1);
  EXPECT_EQ(qb::MouseWarpModeFromText("1.0"), 1);
  EXPECT_EQ(qb::MouseWarpModeFromText("2"), 2);
  EXPECT_EQ(qb::MouseWarpModeFromText("on"), 0);
  EXPECT_EQ(qb::MouseWarpModeFromText("70000"), 0);
}

TEST(AppStateConversions, DietTickLimitIsSecondsTimesOneHundred) {
  const struct {
    const char* text;
    int32_t ticks;
  } cases[] = {
      {"600", 60000},
      {"0", 0},  // a diet every second tick, as the setting asks
      {"1.5", 200},
      {"21474836", 2147483600},  // the largest period that fits
      {"21474837", 60000},       // would overflow: the default period
      {"-1", 60000},
      {"abc", 60000},
      {"", 60000},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::DietTickLimitFromText(c.text), c.ticks) << c.text;
}

TEST(AppStateConversions, StartupWaitTakesNumericTextAndCapsIt) {
  const struct {
    const char* text;
    uint32_t ms;
  } cases[] = {
      {"2000", 2000}, {"0", 0},        {"abc", 0},          {"", 0},       {" 150 ", 150},
      {"0.5", 0},     {"2.5", 2},      {"-100", 0},         {"1e9", 60000}, {"60000", 60000},
      {"60001", 60000},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::StartupWaitFromText(c.text), c.ms) << c.text;
}

TEST(AppStateConversions, ColoursFallBackWhenNotAThirtyTwoBitNumber) {
  EXPECT_EQ(qb::CalendarColourFromText("255", 7), 255);
  EXPECT_EQ(qb::CalendarColourFromText("-1", 7), -1);
  EXPECT_EQ(qb::CalendarColourFromText("red", 7), 7);
  EXPECT_EQ(qb::CalendarColourFromText("4294967296", 7), 7);
}

class AppStateFromFile : public testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quorbell-appstate-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "Quorbell.ini").string();
    qb::UseSettingsFile(path_, qb::SystemFileSystem());
  }
  void TearDown() override {
    qb::UseSettingsFile("Quorbell.ini", qb::SystemFileSystem());
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  void Write(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
  }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(AppStateFromFile, MissingFileGivesTheDefaults) {
  qb::AppState s;
  s.AutoDiet = true;
  s.StartupWait = 5;
  qb::ReadCoreSettings(s);
  qb::ReadStartupWait(s);
  const qb::CalendarColours colours = qb::ReadCalendarColours();
  EXPECT_FALSE(qb::ReadXpTitleMode());
  EXPECT_EQ(s.MouseWarpMode, 0);
  EXPECT_EQ(s.DietTickLimit, 60000);
  EXPECT_FALSE(s.AutoDiet);
  EXPECT_EQ(s.StartupWait, 0u);
  EXPECT_EQ(colours.text, 16777215);
  EXPECT_EQ(colours.holiday, 255);
  EXPECT_EQ(colours.saturday, 16711680);
}

TEST_F(AppStateFromFile, ReadsEveryStartupKey) {
  Write(
      "[WindowShade]\r\nXPMODE=1\r\n"
      "[MouseWarp]\r\nEnable=1\r\n"
      "[MemDiet]\r\nSec=30\r\nCheck=1\r\n"
      "[WAIT]\r\n1=2000\r\n"
      "[FONT]\r\nCOLOR=0\r\nCOLOR2=65280\r\nCOLOR3=123\r\n");
  qb::AppState s;
  qb::ReadCoreSettings(s);
  qb::ReadStartupWait(s);
  const qb::CalendarColours colours = qb::ReadCalendarColours();
  EXPECT_TRUE(qb::ReadXpTitleMode());
  EXPECT_EQ(s.MouseWarpMode, 1);
  EXPECT_EQ(s.DietTickLimit, 3000);
  EXPECT_TRUE(s.AutoDiet);
  EXPECT_EQ(s.StartupWait, 2000u);
  EXPECT_EQ(colours.text, 0);
  EXPECT_EQ(colours.holiday, 65280);
  EXPECT_EQ(colours.saturday, 123);
}

TEST_F(AppStateFromFile, UnusableTextTakesTheDefaultOfEachKey) {
  Write(
      "[MouseWarp]\r\nEnable=yes\r\n"
      "[MemDiet]\r\nSec=99999999999\r\n"
      "[WAIT]\r\n1=abc\r\n"
      "[FONT]\r\nCOLOR=white\r\nCOLOR2=\r\nCOLOR3=1e20\r\n");
  qb::AppState s;
  qb::ReadCoreSettings(s);
  qb::ReadStartupWait(s);
  const qb::CalendarColours colours = qb::ReadCalendarColours();
  EXPECT_EQ(s.MouseWarpMode, 0);
  EXPECT_EQ(s.DietTickLimit, 60000);
  EXPECT_EQ(s.StartupWait, 0u);
  EXPECT_EQ(colours.text, 16777215);
  EXPECT_EQ(colours.holiday, 255);
  EXPECT_EQ(colours.saturday, 16711680);
}

}  // namespace
