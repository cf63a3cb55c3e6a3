#pragma once
// The user's own wallpaper, recorded while the program shows its calendar in the wallpaper so that
// it can be put back. Owned by the window thread.
#include <string>

namespace qb {

struct WallpaperRecord {
  std::string OriginalWallpaper;  // empty: nothing recorded
};

// The one record of the process.
WallpaperRecord& TheWallpaperRecord();

}  // namespace qb
