#pragma once
// The few file operations the portable code needs. Paths are UTF-8. The Windows build supplies an
// implementation on the ...W file functions (platform/Win32FileSystem); native builds use the
// POSIX one. Tests substitute fakes to provoke failures.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

struct DirectoryEntry {
  std::string name;               // the file's own name, no folder
  std::int64_t modifiedTime = 0;  // last write, seconds since 1970-01-01 UTC
  bool directory = false;
  std::uint64_t size = 0;
  // The last write as finely as the file system keeps it (an opaque number that changes when
  // the file is written): with the size, tells whether a file changed since it was last read.
  std::int64_t changeStamp = 0;
};

class FileSystem {
public:
  virtual ~FileSystem() = default;

  // The whole file, or nullopt when it does not exist or cannot be read.
  [[nodiscard]] virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
  [[nodiscard]] virtual bool FileExists(const std::string& path) const = 0;
  [[nodiscard]] virtual bool DirectoryExists(const std::string& path) const = 0;
  // Writes a temporary file in the same folder (named by TemporaryFileName), flushes it to disk
  // and renames it over the target, so that the target is always either the old or the new file.
  // False when anything failed; the old file is then untouched and no temporary file is left
  // behind. Temporary files that an earlier write killed half-way left are removed first
  // (RemoveLeftoverTemporaries), so they never pile up.
  [[nodiscard]] virtual bool WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;
  // Creates the folder and any missing parents; true when it exists afterwards.
  [[nodiscard]] virtual bool CreateDirectories(const std::string& path) = 0;
  [[nodiscard]] virtual bool RemoveFile(const std::string& path) = 0;
  // The entries of folder `dir` whose names start with `namePrefix` (exactly, case included), "."
  // and ".." left out; an empty list when the folder does not exist, nullopt when it exists but
  // cannot be listed.
  [[nodiscard]] virtual std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir,
                                                                                 std::string_view namePrefix) const = 0;
};

// The name of the temporary file a write of `fileName` (no folder) goes through first:
// "<fileName>.tmp<pid>-<counter>", or, when that could pass the 255 characters a file name may
// have, "~qb<hash of fileName>.tmp<pid>-<counter>".
std::string TemporaryFileName(std::string_view fileName, std::uint32_t processId, unsigned counter);

// A temporary file of `path` whose write was killed before its rename stays behind. Such files
// (named as TemporaryFileName names them) that were last written at least kLeftoverAgeSeconds
// before `now` are removed: younger ones may belong to a write still under way in another
// process. Answers how many were removed.
inline constexpr std::int64_t kLeftoverAgeSeconds = 60;
int RemoveLeftoverTemporaries(FileSystem& fs, const std::string& path, std::int64_t now);

// The implementation for the platform this was built for.
FileSystem& SystemFileSystem();

// Path helpers over UTF-8 text that accept both '/' and '\\' as separators.
std::string JoinPath(std::string_view dir, std::string_view name);
std::string ParentPath(std::string_view path);
// The last component: "dic\\2026年1月2日.txt" -> "2026年1月2日.txt".
std::string FileNameOf(std::string_view path);

}  // namespace qb
