#include "desktop/WallpaperRecord.h"

namespace qb {

WallpaperRecord& TheWallpaperRecord() {
  static WallpaperRecord record;
  return record;
}

}  // namespace qb
