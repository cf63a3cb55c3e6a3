#pragma once
// The wallpaper picked at random from a folder at each start: the candidates (every BMP, then every
// JPEG, then every GIF of the folder), the pick, and the rotation itself over the wallpaper access
// of the system, which tests replace.
#include <cstddef>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileSystem.h"

namespace qb {

// The converted picture that every rotation writes into the application directory.
inline constexpr std::string_view kRotatedWallpaperName = "VynWallpaper.bmp";

// What the rotation and the wallpaper calendar need of the system's wallpaper.
class WallpaperAccess {
public:
  virtual ~WallpaperAccess() = default;
  // The user's wallpaper file as the registry holds it; empty when it cannot be read.
  [[nodiscard]] virtual std::string GetDesktopWallpaper() = 0;
  // Writes the wallpaper registry value when `path` names an existing file.
  virtual bool StoreDesktopWallpaper(const std::string& path) = 0;
  // Makes `path` the desktop wallpaper (and the stored setting); refused for a file that does
  // not exist, which would otherwise blank the desktop and overwrite the user's setting.
  virtual bool ApplyDesktopWallpaper(const std::string& path) = 0;
  // Decodes a BMP, JPEG or GIF picture and writes it whole as a 24-bit bitmap file, replacing
  // `bitmapFile` only when everything worked.
  virtual bool ConvertToBitmap(const std::string& picture, const std::string& bitmapFile) = 0;
};

// True when `name` matches the file pattern `mask` the way a directory search matches it: '*' any
// run of characters, '?' one character, ASCII letters without regard to case.
bool MatchesFileMask(std::string_view name, std::string_view mask);

// Appends to `list` the names (no folder) of the files, not folders, that `pattern` (a folder, a
// backslash and a mask such as "*.bmp") matches, in the order the directory listing gives them.
void CollectFiles(std::vector<std::string>& list, std::string_view pattern, const FileSystem& fs);

// Every "*.bmp" of `folder`, then every "*.jpg", then every "*.gif". An empty folder means the
// root of the current drive, as the patterns "\*.bmp"... do.
std::vector<std::string> WallpaperCandidates(const std::string& folder, const FileSystem& fs);

// A uniform pick among `count` candidates; nullopt when there are none.
std::optional<std::size_t> PickCandidate(std::size_t count, std::mt19937& random);

// The generator of the process's picks, seeded once from the system's entropy and the clock.
std::mt19937& WallpaperRandom();

// Converts a randomly picked picture of `folder` to `appDir`\VynWallpaper.bmp and applies that
// file. When nothing is picked or the conversion fails, the bitmap of an earlier rotation, if
// there is one, is applied again. Answers whether a new picture was converted.
bool RotateWallpaper(const std::string& folder, const std::string& appDir, const FileSystem& fs,
                     WallpaperAccess& access, std::mt19937& random);

}  // namespace qb
