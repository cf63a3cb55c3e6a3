#include "desktop/WallpaperCalendarPlan.h"

#include <algorithm>

namespace qb {

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsUsersPicture(const std::string& path, const FileSystem& fs) {
  return !path.empty() && !IsWallpaperCalendarFile(path) && fs.FileExists(path);
}

}  // namespace

bool IsWallpaperCalendarFile(std::string_view path) {
  return EqualsIgnoringAsciiCase(FileNameOf(path), kWallpaperCalendarFile);
}

std::string ChooseOriginalWallpaper(const std::string& current, const std::string& recorded, const FileSystem& fs) {
  if (!IsWallpaperCalendarFile(current)) return IsUsersPicture(current, fs) ? current : std::string();
  return IsUsersPicture(recorded, fs) ? recorded : std::string();
}

std::uint32_t MillisecondsUntilMidnight(int hour, int minute, int second, int millisecond, std::uint32_t margin) {
  constexpr std::int64_t kDay = 24LL * 60 * 60 * 1000;
  std::int64_t sinceMidnight = ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
  // A leap second (second 60) or a bad clock must not give a delay of zero or a negative one.
  sinceMidnight = std::clamp<std::int64_t>(sinceMidnight, 0, kDay - 1);
  return static_cast<std::uint32_t>(kDay - sinceMidnight) + margin;
}

}  // namespace qb
