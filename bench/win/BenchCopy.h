#pragma once
// What the Wine benchmarks share: the clock, a private portable copy of a program (a fresh folder
// with the executable and a Quorbell.ini beside it, so no real settings are touched) and finding a
// process's main window by class.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace bench {

// Seconds on the performance counter.
inline double Now() {
  LARGE_INTEGER f;
  LARGE_INTEGER c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline std::wstring DirectoryOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }
inline std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

inline std::wstring OwnDirectory() {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  return DirectoryOf(std::wstring(buf, n));
}

struct PortableCopy {
  std::wstring folder;
  std::wstring exe;
};

// Copies `source` into %TEMP%\<prefix>-<pid>-<tag> with `ini` (bytes, may be empty) beside it.
inline bool MakePortableCopy(PortableCopy& copy, const std::wstring& source, const std::wstring& prefix,
                             const std::wstring& tag, const char* ini) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  copy.folder = std::wstring(temp) + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + tag;
  CreateDirectoryW(copy.folder.c_str(), nullptr);
  copy.exe = copy.folder + L"\\" + FileNameOf(source);
  if (!CopyFileW(source.c_str(), copy.exe.c_str(), FALSE)) return false;
  HANDLE f = CreateFileW((copy.folder + L"\\Quorbell.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(std::strlen(ini));
  const bool ok = size == 0 || (WriteFile(f, ini, size, &written, nullptr) && written == size);
  CloseHandle(f);
  return ok;
}

inline void RemovePortableCopy(const PortableCopy& copy) {
  DeleteFileW(copy.exe.c_str());
  DeleteFileW((copy.folder + L"\\Quorbell.ini").c_str());
  RemoveDirectoryW(copy.folder.c_str());
}

// The top-level window of class `cls` that belongs to process `pid`, or null.
inline HWND MainWindowOf(DWORD pid, const wchar_t* cls) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } search{pid, cls, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[128];
        if (owner == s->pid && GetClassNameW(hwnd, name, 128) && wcscmp(name, s->cls) == 0) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace bench
