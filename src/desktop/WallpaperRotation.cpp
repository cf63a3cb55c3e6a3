#include "desktop/WallpaperRotation.h"

#include <chrono>

namespace qb {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool MatchesFileMask(std::string_view name, std::string_view mask) {
  // Greedy matching with one backtrack point, the last '*' seen.
  std::size_t n = 0;
  std::size_t m = 0;
  std::size_t starMask = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

void CollectFiles(std::vector<std::string>& list, std::string_view pattern, const FileSystem& fs) {
  std::size_t separator = pattern.size();
  while (separator > 0 && !IsSeparator(pattern[separator - 1])) --separator;
  const std::string_view mask = pattern.substr(separator);
  std::string dir(pattern.substr(0, separator == 0 ? 0 : separator - 1));
  // "\*.bmp": the root of the current drive, not the current folder.
  if (dir.empty() && separator > 0) dir = std::string(pattern.substr(0, 1));
  const auto entries = fs.ListDirectory(dir, "");
  if (!entries) return;
  for (const DirectoryEntry& entry : *entries) {
    if (!entry.directory && MatchesFileMask(entry.name, mask)) list.push_back(entry.name);
  }
}

std::vector<std::string> WallpaperCandidates(const std::string& folder, const FileSystem& fs) {
  std::vector<std::string> list;
  for (const char* mask : {"*.bmp", "*.jpg", "*.gif"}) CollectFiles(list, folder + "\\" + mask, fs);
  return list;
}

std::optional<std::size_t> PickCandidate(std::size_t count, std::mt19937& random) {
  if (count == 0) return std::nullopt;
  std::uniform_int_distribution<std::size_t> pick(0, count - 1);
  return pick(random);
}

std::mt19937& WallpaperRandom() {
  static std::mt19937 random = [] {
    std::random_device entropy;
    const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seed{entropy(), entropy(), static_cast<unsigned>(clock), static_cast<unsigned>(clock >> 32)};
    return std::mt19937(seed);
  }();
  return random;
}

bool RotateWallpaper(const std::string& folder, const std::string& appDir, const FileSystem& fs,
                     WallpaperAccess& access, std::mt19937& random) {
  const std::vector<std::string> candidates = WallpaperCandidates(folder, fs);
  const std::string target = JoinPath(appDir.empty() ? "." : appDir, kRotatedWallpaperName);
  bool converted = false;
  if (const auto pick = PickCandidate(candidates.size(), random)) {
    converted = access.ConvertToBitmap(folder + "\\" + candidates[*pick], target);
  }
  // An earlier rotation's picture is applied again when this one made none.
  if (fs.FileExists(target)) access.ApplyDesktopWallpaper(target);
  return converted;
}

}  // namespace qb
