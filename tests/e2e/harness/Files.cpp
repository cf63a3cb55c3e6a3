#include "harness/Files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace qb::e2e {

namespace {

struct FindHandle {
  HANDLE h;
  ~FindHandle() {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};

struct FileHandle {
  HANDLE h;
  ~FileHandle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

void CollectTree(const std::wstring& root, const std::wstring& rel, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  FindHandle find{FindFirstFileW(PathJoin(PathJoin(root, rel), L"*").c_str(), &data)};
  if (find.h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring relName = rel.empty() ? name : PathJoin(rel, name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(relName + L"\\");
      CollectTree(root, relName, out);
    } else {
      out.push_back(relName);
    }
  } while (FindNextFileW(find.h, &data));
}

}  // namespace

std::wstring ExeDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring ProgramUnderTest() {
  std::wstring fromEnv = Environment(L"QUORBELL_EXE");
  return fromEnv.empty() ? PathJoin(ExeDirectory(), L"Quorbell.exe") : fromEnv;
}

std::wstring SiblingExecutable(std::wstring_view fileName) { return PathJoin(ExeDirectory(), fileName); }

std::wstring PathJoin(std::wstring_view dir, std::wstring_view name) {
  std::wstring out(dir);
  if (!out.empty() && out.back() != L'\\' && out.back() != L'/') out += L'\\';
  out += name;
  return out;
}

std::wstring FileNameOf(std::wstring_view path) {
  size_t slash = path.find_last_of(L"\\/");
  return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring TempDirectory() {
  wchar_t buf[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  std::wstring dir(buf, n);
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir;
}

std::wstring Environment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n);
  return value;
}

bool FileExists(const std::wstring& path) {
  DWORD attr = GetFileAttributesW(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<unsigned long long> LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool DirectoryExists(const std::wstring& path) {
  DWORD attr = GetFileAttributesW(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  FileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(file.h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(file.h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

std::vector<std::wstring> ListTree(const std::wstring& dir) {
  std::vector<std::wstring> out;
  CollectTree(dir, L"", out);
  std::sort(out.begin(), out.end());
  return out;
}

bool RemoveTree(const std::wstring& path) {
  DWORD attr = GetFileAttributesW(path.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) return true;
  if (attr & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
  if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != 0;
  std::vector<std::wstring> children;
  {
    WIN32_FIND_DATAW data;
    FindHandle find{FindFirstFileW(PathJoin(path, L"*").c_str(), &data)};
    if (find.h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") children.push_back(PathJoin(path, name));
      } while (FindNextFileW(find.h, &data));
    }
  }
  for (const auto& child : children) RemoveTree(child);
  return RemoveDirectoryW(path.c_str()) != 0;
}

std::wstring MakeUniqueTempDirectory(std::wstring_view prefix) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    std::wstring name(prefix);
    name += std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L"-" +
            std::to_wstring(GetTickCount() % 100000);
    std::wstring dir = PathJoin(TempDirectory(), name);
    if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

}  // namespace qb::e2e
