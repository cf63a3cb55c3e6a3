// The Windows file system behind FileSystem, on the ...W file functions.
#include <windows.h>

#include <atomic>
#include <ctime>
#include <string>

#include "common/FileSystem.h"
#include "platform/WinText.h"

namespace qb {
namespace {

// Renames `temp` over `target`. A reader that has the target open (a virus scanner, an indexer,
// another copy of the program reading its settings) makes the rename fail for as long as it holds
// the file, usually a few milliseconds: the rename is tried again for about two seconds before the
// write counts as failed, rather than the update being lost.
bool ReplaceWithRetries(const std::wstring& temp, const std::wstring& target) {
  constexpr int kAttempts = 40;
  for (int attempt = 1;; ++attempt) {
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on disk.
    if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    const bool heldByAnother =
        error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (!heldByAnother || attempt == kAttempts) return false;
    ::Sleep(attempt < 5 ? 10 : 50);
  }
}

class FileHandle {
public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    if (!valid()) return true;
    const bool ok = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

private:
  HANDLE handle_;
};

// FILETIME counts 100-ns steps since 1601-01-01.
std::int64_t UnixSeconds(const FILETIME& time) {
  const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<std::int64_t>(ticks / 10000000ull) - 11644473600ll;
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(Widen(path).c_str()); }

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

class Win32FileSystem final : public FileSystem {
public:
  std::optional<std::string> ReadFile(const std::string& path) const override {
    // Other programs (an editor, the profile functions) may hold the file open meanwhile.
    FileHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
      if (read == 0) break;
      bytes.append(buffer, read);
    }
    return bytes;
  }

  bool FileExists(const std::string& path) const override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool DirectoryExists(const std::string& path) const override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    static std::atomic<unsigned> counter{0};
    RemoveLeftoverTemporaries(*this, path, std::time(nullptr));
    const std::wstring target = Widen(path);
    // A short name for a long one: the temporary name must fit the 255 characters of a file name.
    const std::wstring temp =
        Widen(JoinPath(ParentPath(path), TemporaryFileName(FileNameOf(path), ::GetCurrentProcessId(), ++counter)));
    FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    const bool closed = file.Close();
    if (!written || !closed || !ReplaceWithRetries(temp, target)) {
      ::DeleteFileW(temp.c_str());
      return false;
    }
    return true;
  }

  bool CreateDirectories(const std::string& path) override {
    if (path.empty()) return false;
    if (DirectoryExists(path)) return true;
    const std::string parent = ParentPath(path);
    if (!parent.empty() && parent != path && !DirectoryExists(parent) && !CreateDirectories(parent)) {
      return false;
    }
    return ::CreateDirectoryW(Widen(path).c_str(), nullptr) || DirectoryExists(path);
  }

  bool RemoveFile(const std::string& path) override { return ::DeleteFileW(Widen(path).c_str()) != 0; }

  std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir,
                                                           std::string_view namePrefix) const override {
    // The pattern narrows the listing; it also matches short 8.3 names and ignores case, so every
    // long name is checked against the prefix again.
    const std::wstring pattern = Widen(JoinPath(dir.empty() ? "." : dir, std::string(namePrefix) + "*"));
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
        return std::vector<DirectoryEntry>{};
      }
      return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    do {
      std::string name = Narrow(found.cFileName);
      if (name == "." || name == ".." || !std::string_view(name).starts_with(namePrefix)) continue;
      const std::uint64_t ticks =
          (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
      entries.push_back({std::move(name), UnixSeconds(found.ftLastWriteTime),
                         (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                         static_cast<std::int64_t>(ticks)});
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return entries;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

}  // namespace qb
