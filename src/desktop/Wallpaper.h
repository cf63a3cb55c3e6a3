#pragma once
// The desktop wallpaper of the current user: the registry value "Wallpaper" of
// HKEY_CURRENT_USER\Control Panel\desktop, the wallpaper set through the system, and the random
// wallpaper of each start.
#include <string>

#include "desktop/WallpaperRotation.h"

namespace qb {

// The registry value read whole (empty when it cannot be read).
std::string GetDesktopWallpaper();
// Writes the registry value when `path` is not empty and names an existing file.
bool StoreDesktopWallpaper(const std::string& path);
// Sets `path` as the wallpaper, stored and announced to every program; refused (false) when the
// path is empty or the file does not exist.
bool ApplyDesktopWallpaper(const std::string& path);

// The system's wallpaper with the program's picture conversion (WIC in, our bitmap writer out).
class SystemWallpaper final : public WallpaperAccess {
public:
  std::string GetDesktopWallpaper() override { return qb::GetDesktopWallpaper(); }
  bool StoreDesktopWallpaper(const std::string& path) override { return qb::StoreDesktopWallpaper(path); }
  bool ApplyDesktopWallpaper(const std::string& path) override { return qb::ApplyDesktopWallpaper(path); }
  bool ConvertToBitmap(const std::string& picture, const std::string& bitmapFile) override;
};

// The start-up's random wallpaper: the folder of setting Wallpaper/Dir, the picture written next
// to the program. Only called when Wallpaper/Check is "1".
void RotateWallpaper(const std::string& folder);

// Start-up: the rotation when Wallpaper/Check is exactly "1".
void RotateWallpaperAtStartup();

}  // namespace qb
