#include "accessories/shutdown_button/ShutdownButtonSettings.h"

#include "calendar/CalendarWindowModel.h"
#include "common/Numbers.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

PixelPoint LoadShutdownButtonPlace(double twipsPerPixelX, double twipsPerPixelY) {
  PixelPoint place;
  place.y = TwipsTextToPixels(ReadSetting(keys::SSwitchTop), twipsPerPixelY);
  place.x = TwipsTextToPixels(ReadSetting(keys::SSwitchLeft), twipsPerPixelX);
  return place;
}

void StoreShutdownButtonPlace(PixelPoint place, double twipsPerPixelX, double twipsPerPixelY) {
  WriteSetting(keys::SSwitchTop, SingleText(place.y * twipsPerPixelY));
  WriteSetting(keys::SSwitchLeft, SingleText(place.x * twipsPerPixelX));
}

}  // namespace qb
