#pragma once
// What the analog clock reads from the settings when it opens and stores when it is closed. Places
// on the screen are stored in twips (1/1440 inch) as single-precision decimal text.
#include <optional>
#include <string>

#include "common/Geometry.h"

namespace qb {

// The start-up opens one clock when one was open at the last exit: DESKTOPCLOCK/Enable is exactly
// "True".
bool ClockOpensAtStartup();

struct ClockSetup {
  PixelPoint place;      // top-left corner on the screen
  std::string faceName;  // CLOCK/PicName
};

// Reads the place and the face picture's name and marks a clock as open.
ClockSetup LoadClockSettings(double twipsPerPixelX, double twipsPerPixelY);

// Stores the place a clock was closed at (none: the stored one stays) and marks the clock closed.
void StoreClockClosed(std::optional<PixelPoint> place, double twipsPerPixelX, double twipsPerPixelY);

}  // namespace qb
