#include <cstdio>
#include <string>

#include "common/FileSystem.h"
#include "common/Text.h"

namespace qb {

namespace {

// Room for ".tmp", a 10-digit process id, "-" and a 10-digit counter within 255 UTF-16 units.
constexpr std::size_t kMaxPlainBaseUnits = 255 - 4 - 10 - 1 - 10;

std::string TemporaryBase(std::string_view fileName) {
  if (Utf8ToUtf16(fileName).size() <= kMaxPlainBaseUnits) return std::string(fileName);
  // FNV-1a: stable across runs, so the leftovers of a long name are found again.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : fileName) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("~qb") + hex;
}

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string TemporaryFileName(std::string_view fileName, std::uint32_t processId, unsigned counter) {
  return TemporaryBase(fileName) + ".tmp" + std::to_string(processId) + "-" + std::to_string(counter);
}

int RemoveLeftoverTemporaries(FileSystem& fs, const std::string& path, std::int64_t now) {
  const std::string dir = ParentPath(path);
  const std::string prefix = TemporaryBase(FileNameOf(path)) + ".tmp";
  const auto entries = fs.ListDirectory(dir, prefix);
  if (!entries) return 0;
  int removed = 0;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.directory || now - entry.modifiedTime < kLeftoverAgeSeconds) continue;
    // Only "<pid>-<counter>" after the prefix: another file that merely starts alike stays.
    const std::string_view rest = std::string_view(entry.name).substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !IsDigits(rest.substr(0, dash)) || !IsDigits(rest.substr(dash + 1))) continue;
    if (fs.RemoveFile(JoinPath(dir, entry.name))) ++removed;
  }
  return removed;
}

}  // namespace qb
