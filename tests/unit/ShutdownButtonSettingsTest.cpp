#include <gtest/gtest.h>

#include "accessories/shutdown_button/ShutdownButtonSettings.h"
#include "unit/SettingsTestSupport.h"

namespace qb {
namespace {

class ShutdownButtonSettings : public test::SettingsFileTest {};

TEST_F(ShutdownButtonSettings, ReadsThePlaceInTwipsWithTheOriginForMissingOrBadValues) {
  const struct {
    const char* file;
    PixelPoint place;
  } cases[] = {
      {"", {0, 0}},
      {"[SSWITCH]\r\nTOP=1500\r\nLEFT=3000\r\n", {200, 100}},
      {"[SSWITCH]\r\nTOP=-1500\r\nLEFT=-15\r\n", {-1, -100}},
      {"[SSWITCH]\r\nTOP= 1507.5 \r\nLEFT=3.0E+3\r\n", {200, 100}},  // 100.5 rounds half to even
      {"[SSWITCH]\r\nTOP=abc\r\nLEFT=\r\n", {0, 0}},
      {"[SSWITCH]\r\nTOP=1E+40\r\nLEFT=1500\r\n", {100, 0}},  // beyond single precision: no place
  };
  for (const auto& c : cases) {
    Given(c.file);
    EXPECT_EQ(LoadShutdownButtonPlace(15, 15), c.place) << c.file;
  }
  EXPECT_EQ(File(), "[SSWITCH]\r\nTOP=1E+40\r\nLEFT=1500\r\n") << "reading writes nothing";
}

TEST_F(ShutdownButtonSettings, StoresTheTopAndThenTheLeftEdgeAsWholeTwips) {
  StoreShutdownButtonPlace(PixelPoint{120, -7}, 15, 15);
  EXPECT_EQ(File(), "[SSWITCH]\r\nTOP=-105\r\nLEFT=1800\r\n");
  Given("[SSWITCH]\r\nLEFT=1\r\nTOP=2\r\n");
  StoreShutdownButtonPlace(PixelPoint{1, 2}, 12, 12);
  EXPECT_EQ(File(), "[SSWITCH]\r\nLEFT=12\r\nTOP=24\r\n") << "keys keep their lines";
}

TEST_F(ShutdownButtonSettings, AStoredPlaceComesBackToTheSamePixel) {
  for (double tpp : {15.0, 12.0, 1440.0 / 110}) {
    for (PixelPoint place : {PixelPoint{0, 0}, PixelPoint{1023, 767}, PixelPoint{-300, 45}, PixelPoint{-3000, -7}}) {
      StoreShutdownButtonPlace(place, tpp, tpp);
      EXPECT_EQ(LoadShutdownButtonPlace(tpp, tpp), place) << tpp;
    }
  }
}

}  // namespace
}  // namespace qb
