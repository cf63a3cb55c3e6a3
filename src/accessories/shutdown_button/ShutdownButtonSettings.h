#pragma once
// Where the shutdown button stands: read from the settings when it opens, stored when the user asks
// for the shut-down dialog. Places are stored in twips (1/1440 inch) as single-precision decimal
// text.
#include "common/Geometry.h"

namespace qb {

// The stored top-left corner in pixels; the origin for missing or unreadable values.
[[nodiscard]] PixelPoint LoadShutdownButtonPlace(double twipsPerPixelX, double twipsPerPixelY);

// Stores the top edge and then the left edge.
void StoreShutdownButtonPlace(PixelPoint place, double twipsPerPixelX, double twipsPerPixelY);

}  // namespace qb
