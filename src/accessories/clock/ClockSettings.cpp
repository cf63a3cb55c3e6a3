#include "accessories/clock/ClockSettings.h"

#include "calendar/CalendarWindowModel.h"
#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

bool ClockOpensAtStartup() { return ReadSetting(keys::DesktopClockEnable) == "True"; }

ClockSetup LoadClockSettings(double twipsPerPixelX, double twipsPerPixelY) {
  ClockSetup setup;
  setup.place.y = TwipsTextToPixels(ReadSetting(keys::DesktopClockTop), twipsPerPixelY);
  setup.place.x = TwipsTextToPixels(ReadSetting(keys::DesktopClockLeft), twipsPerPixelX);
  WriteSetting(keys::DesktopClockEnable, "True");
  setup.faceName = ReadSetting(keys::ClockPicName);
  return setup;
}

void StoreClockClosed(std::optional<PixelPoint> place, double twipsPerPixelX, double twipsPerPixelY) {
  if (place) {
    WriteSetting(keys::DesktopClockTop, SingleText(place->y * twipsPerPixelY));
    WriteSetting(keys::DesktopClockLeft, SingleText(place->x * twipsPerPixelX));
  }
  WriteSetting(keys::DesktopClockEnable, "False");
}

}  // namespace qb
