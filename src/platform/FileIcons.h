#pragma once
// Icons taken from files: programs, libraries and icon files carry them as resources.
#include <string>

#include "platform/Handles.h"

namespace qb {

// The first icon of the file in the large (desktop) size; null when the file has none or cannot
// be read.
UniqueIcon FirstIconOf(const std::string& file);

}  // namespace qb
