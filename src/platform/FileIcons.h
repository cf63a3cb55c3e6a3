#pragma once
// Icons taken from files: programs, libraries and icon files carry them as resources.
#include <string>

#include "platform/Handles.h"

namespace qb {

// The first icon of the file, `size` pixels square (the large, desktop size of a monitor of some
// DPI: the image of the file closest to it, scaled when it has none that size); null when the file
// has none or cannot be read.
UniqueIcon FirstIconOf(const std::string& file, int size);

}  // namespace qb
