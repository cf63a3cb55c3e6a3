// The analog clock apart from its window: where the hands point at a time of day, when the next
// redraw is due, which face is shown, and the settings a clock reads and stores.
#include <gtest/gtest.h>

#include <string>

#include "accessories/clock/ClockHands.h"
#include "accessories/clock/ClockSettings.h"
#include "unit/SettingsTestSupport.h"

namespace qb {
namespace {

constexpr double kNear = 1e-4;  // the old value of pi is good to about 1e-7

struct HandsCase {
  int hour, minute, second;
  double hourAngle, minuteAngle, secondAngle;
  DialPoint hourEnd, minuteEnd, secondEnd;
};

void ExpectPoint(DialPoint got, DialPoint want, const std::string& what) {
  EXPECT_NEAR(got.x, want.x, kNear) << what;
  EXPECT_NEAR(got.y, want.y, kNear) << what;
}

TEST(ClockHands, PointWhereADialShowsTheTime) {
  const HandsCase cases[] = {
      // Three o'clock: the hour hand right, the others straight up.
      {3, 0, 0, 0, -90, -90, {70, 50}, {50, 20}, {50, 15}},
      // 15:30 is 3:30 on the dial: the hour hand 15 degrees below three, the minute hand down.
      {15, 30, 0, 15, 90, -90, {69.318516, 55.176381}, {50, 80}, {50, 15}},
      // Midnight and noon both point straight up.
      {0, 0, 0, -90, -90, -90, {50, 30}, {50, 20}, {50, 15}},
      {12, 0, 0, 270, -90, -90, {50, 30}, {50, 20}, {50, 15}},
      // 9:45:30: the minute hand exactly left, the second hand straight down.
      {9, 45, 30, 202.5, 180, 90, {31.522409, 42.346332}, {20, 50}, {50, 85}},
      // ... and the minute hand has not moved a second before 9:46.
      {9, 45, 59, 202.5, 180, 264, {31.522409, 42.346332}, {20, 50}, {46.341501, 15.191734}},
      {9, 46, 0, 203, 186, -90, {31.589902, 42.185379}, {20.164343, 46.864148}, {50, 15}},
      // 12:59 is the top of the dial plus most of an hour; 13:00 is one o'clock.
      {12, 59, 0, 299.5, 264, -90, {59.848470, 32.592885}, {46.864144, 20.164343}, {50, 15}},
      {13, 0, 0, -60, -90, -90, {60, 32.679492}, {50, 20}, {50, 15}},
      {23, 59, 59, 269.5, 264, 264, {49.825468, 30.000762}, {46.864144, 20.164343}, {46.341501, 15.191734}},
  };
  for (const HandsCase& c : cases) {
    const std::string what = std::to_string(c.hour) + ":" + std::to_string(c.minute) + ":" + std::to_string(c.second);
    const ClockHands hands = HandsAt(c.hour, c.minute, c.second);
    EXPECT_DOUBLE_EQ(hands.hourAngle, c.hourAngle) << what;
    EXPECT_DOUBLE_EQ(hands.minuteAngle, c.minuteAngle) << what;
    EXPECT_DOUBLE_EQ(hands.secondAngle, c.secondAngle) << what;
    ExpectPoint(hands.hourEnd, c.hourEnd, what + " hour");
    ExpectPoint(hands.minuteEnd, c.minuteEnd, what + " minute");
    ExpectPoint(hands.secondEnd, c.secondEnd, what + " second");
  }
}

TEST(ClockHands, HandsHaveTheirLengthsWhateverTheTime) {
  for (int t = 0; t < 24 * 3600; t += 997) {
    const ClockHands hands = HandsAt(t / 3600, t / 60 % 60, t % 60);
    EXPECT_NEAR(Distance(hands.hourEnd.x, hands.hourEnd.y, 50, 50), 20, kNear) << t;
    EXPECT_NEAR(Distance(hands.minuteEnd.x, hands.minuteEnd.y, 50, 50), 30, kNear) << t;
    EXPECT_NEAR(Distance(hands.secondEnd.x, hands.secondEnd.y, 50, 50), 35, kNear) << t;
  }
}

TEST(ClockRotate, KeepsOnlyTheDistanceFromTheCentre) {
  struct Case {
    double x, y, xc, yc, angle, xr, yr;
  };
  const Case cases[] = {
      {60, 50, 50, 50, -90, 50, 40},     // a point right of the centre, turned straight up
      {50, 40, 50, 50, 0, 60, 50},       // a point above, turned right
      {50, 60, 50, 50, 0, 60, 50},       // the direction of the point plays no part
      {0, 0, 0, 0, 45, 0, 0},            // the centre stays where it is
      {3, 4, 0, 0, 180, -5, 0},          // distance 5
      {13, 14, 10, 10, 90, 10, 15},      // growing angles turn clockwise: 90 points down
  };
  for (const Case& c : cases) {
    double xr = -1;
    double yr = -1;
    Rotate(c.x, c.y, c.xc, c.yc, c.angle, xr, yr);
    EXPECT_NEAR(xr, c.xr, kNear) << c.x << "," << c.y << " @" << c.angle;
    EXPECT_NEAR(yr, c.yr, kNear) << c.x << "," << c.y << " @" << c.angle;
  }
  EXPECT_DOUBLE_EQ(Distance(1, 2, 4, 6), 5);
  EXPECT_DOUBLE_EQ(Distance(4, 6, 1, 2), 5);
  EXPECT_DOUBLE_EQ(Distance(-1, -1, -1, -1), 0);
}

TEST(ClockTick, WaitsUntilTheNextSecondStartsAndNeverZero) {
  const std::pair<int, int> cases[] = {{0, 1000}, {1, 999}, {500, 500}, {999, 1}, {1000, 1}, {-3, 1000}};
  for (const auto& [millisecond, wait] : cases) EXPECT_EQ(MillisecondsToNextSecond(millisecond), wait) << millisecond;
}

TEST(ClockFace, TheOwnFaceStandsInOnlyForTheMissingDefaultPicture) {
  struct Case {
    const char* name;
    bool exists;
    ClockFaceSource want;
  };
  const Case cases[] = {
      {"VynClock.bmp", true, ClockFaceSource::File},
      {"VynClock.bmp", false, ClockFaceSource::BuiltIn},
      {"vynclock.BMP", false, ClockFaceSource::BuiltIn},  // Windows names ignore case
      {"C:\\faces\\wood.jpg", true, ClockFaceSource::File},
      {"C:\\faces\\wood.jpg", false, ClockFaceSource::Empty},
      {"VynClock.bm", false, ClockFaceSource::Empty},
      {"", false, ClockFaceSource::Empty},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseClockFace(c.name, c.exists), c.want) << c.name << " " << c.exists;
}

TEST(ClockFace, HourMarksLieOnTheRimAndPointAtTheCentre) {
  for (int hour = 0; hour < 12; ++hour) {
    const HourMark mark = HourMarkAt(hour);
    EXPECT_NEAR(Distance(mark.outer.x, mark.outer.y, 50, 50), 47, kNear) << hour;
    EXPECT_LT(Distance(mark.inner.x, mark.inner.y, 50, 50), 47) << hour;
  }
  ExpectPoint(HourMarkAt(0).outer, {50, 3}, "twelve");
  ExpectPoint(HourMarkAt(3).outer, {97, 50}, "three");
  ExpectPoint(HourMarkAt(6).inner, {50, 88}, "six");
}

class ClockSettings : public test::SettingsFileTest {};

TEST_F(ClockSettings, WithoutSettingsTheClockOpensAtTheOriginWithTheDefaultFaceAndMarksItselfOpen) {
  const ClockSetup setup = LoadClockSettings(15, 15);
  EXPECT_EQ(setup.place, (PixelPoint{0, 0}));
  EXPECT_EQ(setup.faceName, "VynClock.bmp");
  EXPECT_EQ(File(), "[DESKTOPCLOCK]\r\nEnable=True\r\n") << "loading writes nothing else";
}

TEST_F(ClockSettings, ReadsThePlaceInTwipsAndTheFaceName) {
  Given("[DESKTOPCLOCK]\r\nEnable=False\r\nTop=1500\r\nLeft=3000\r\n[CLOCK]\r\nPicName=C:\\f\\face.gif\r\n");
  const ClockSetup setup = LoadClockSettings(15, 15);
  EXPECT_EQ(setup.place, (PixelPoint{200, 100}));
  EXPECT_EQ(setup.faceName, "C:\\f\\face.gif");
  EXPECT_EQ(ReadSetting("DESKTOPCLOCK", "Enable", ""), "True");
}

TEST_F(ClockSettings, ClosingStoresThePlaceOnlyWhenGivenAndAlwaysMarksTheClockClosed) {
  Given("[DESKTOPCLOCK]\r\nEnable=True\r\n");
  StoreClockClosed(PixelPoint{120, -7}, 15, 15);
  EXPECT_EQ(File(), "[DESKTOPCLOCK]\r\nEnable=False\r\nTop=-105\r\nLeft=1800\r\n");
  Given("[DESKTOPCLOCK]\r\nEnable=True\r\nTop=-90000\r\nLeft=99000\r\n");
  StoreClockClosed(std::nullopt, 15, 15);
  EXPECT_EQ(File(), "[DESKTOPCLOCK]\r\nEnable=False\r\nTop=-90000\r\nLeft=99000\r\n");
}

TEST_F(ClockSettings, AStoredPlaceComesBackToTheSamePixel) {
  for (double tpp : {15.0, 12.0, 1440.0 / 110}) {
    for (PixelPoint place : {PixelPoint{0, 0}, PixelPoint{1023, 767}, PixelPoint{-300, 45}, PixelPoint{7, 13}}) {
      StoreClockClosed(place, tpp, tpp);
      EXPECT_EQ(LoadClockSettings(tpp, tpp).place, place) << tpp;
    }
  }
}

TEST_F(ClockSettings, OpensAtStartUpOnlyWhenEnableIsExactlyTrue) {
  EXPECT_FALSE(ClockOpensAtStartup());
  const std::pair<const char*, bool> cases[] = {{"True", true}, {"true", false}, {"1", false}, {"False", false}, {"", false}};
  for (const auto& [enable, opens] : cases) {
    Given(std::string("[DESKTOPCLOCK]\r\nEnable=") + enable + "\r\n");
    EXPECT_EQ(ClockOpensAtStartup(), opens) << enable;
  }
}

}  // namespace
}  // namespace qb
