#pragma once
// The user's desktop wallpaper as the program reads and writes it: the value "Wallpaper" of
// HKEY_CURRENT_USER\Control Panel\Desktop. A guard puts the value a test found back afterwards, so
// that scenarios never leave their pictures as the wallpaper of the bed (which is private anyway).
#include <string>

namespace qb::e2e {

// The registry value, empty when it is missing.
std::wstring RegistryWallpaper();
// Makes `path` the wallpaper the way a user's control panel does (stored and announced).
[[nodiscard]] bool SetUserWallpaper(const std::wstring& path);

class WallpaperGuard {
public:
  WallpaperGuard();
  ~WallpaperGuard();
  WallpaperGuard(const WallpaperGuard&) = delete;
  WallpaperGuard& operator=(const WallpaperGuard&) = delete;

private:
  std::wstring saved_;
};

// Paths compared the way Windows compares them (case-insensitive).
bool SamePath(const std::wstring& a, const std::wstring& b);

}  // namespace qb::e2e
