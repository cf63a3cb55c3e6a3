#pragma once
// The few file operations the portable code needs. Paths are UTF-8. The Windows build supplies an
// implementation on the ...W file functions (platform/Win32FileSystem); native builds use the
// POSIX one. Tests substitute fakes to provoke failures.
#include <optional>
#include <string>
#include <string_view>

namespace qb {

class FileSystem {
public:
  virtual ~FileSystem() = default;

  // The whole file, or nullopt when it does not exist or cannot be read.
  [[nodiscard]] virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
  [[nodiscard]] virtual bool FileExists(const std::string& path) const = 0;
  [[nodiscard]] virtual bool DirectoryExists(const std::string& path) const = 0;
  // Writes a temporary file in the same folder, flushes it to disk and renames it over the target,
  // so that the target is always either the old or the new file. False when anything failed; the
  // old file is then untouched and no temporary file is left behind.
  [[nodiscard]] virtual bool WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;
  // Creates the folder and any missing parents; true when it exists afterwards.
  [[nodiscard]] virtual bool CreateDirectories(const std::string& path) = 0;
  [[nodiscard]] virtual bool RemoveFile(const std::string& path) = 0;
};

// The implementation for the platform this was built for.
FileSystem& SystemFileSystem();

// Path helpers over UTF-8 text that accept both '/' and '\\' as separators.
std::string JoinPath(std::string_view dir, std::string_view name);
std::string ParentPath(std::string_view path);

}  // namespace qb
