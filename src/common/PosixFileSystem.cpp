// The native file system, used by the unit tests, the benchmarks and quorbell-tool.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <string>

#include "common/FileSystem.h"

namespace qb {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the rename itself durable; without it a power loss can bring the old name back.
void SyncDirectory(const std::string& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixFileSystem final : public FileSystem {
public:
  std::optional<std::string> ReadFile(const std::string& path) const override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ::close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
  }

  bool FileExists(const std::string& path) const override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) const override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    static std::atomic<unsigned> counter{0};
    RemoveLeftoverTemporaries(*this, path, std::time(nullptr));
    const std::string temp = JoinPath(ParentPath(path), TemporaryFileName(FileNameOf(path), static_cast<std::uint32_t>(::getpid()), ++counter));
    // 0666 before the umask, like any new file; an existing file keeps its permissions.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
      ::unlink(temp.c_str());
      return false;
    }
    SyncDirectory(ParentPath(path));
    return true;
  }

  bool CreateDirectories(const std::string& path) override {
    if (path.empty() || DirectoryExists(path)) return !path.empty();
    const std::string parent = ParentPath(path);
    if (!parent.empty() && parent != path && !CreateDirectories(parent)) return false;
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(path));
  }

  bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir,
                                                           std::string_view namePrefix) const override {
    const std::string folder = dir.empty() ? "." : dir;
    DIR* handle = ::opendir(folder.c_str());
    if (handle == nullptr) {
      if (errno == ENOENT || errno == ENOTDIR) return std::vector<DirectoryEntry>{};
      return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    while (const dirent* e = ::readdir(handle)) {
      const std::string_view name = e->d_name;
      if (name == "." || name == ".." || !name.starts_with(namePrefix)) continue;
      struct stat st {};
      if (::stat(JoinPath(folder, name).c_str(), &st) != 0) continue;
      entries.push_back({std::string(name), static_cast<std::int64_t>(st.st_mtime), S_ISDIR(st.st_mode),
                         static_cast<std::uint64_t>(st.st_size),
                         static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    ::closedir(handle);
    return entries;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace qb
