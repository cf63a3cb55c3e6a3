#pragma once
// What the Wine benchmarks share: the clock, a private portable copy of a program (a fresh folder
// with the executable and a Quorbell.ini beside it, so no real settings are touched) and finding a
// process's main window by class.
#include <windows.h>

#include <cstdio>
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

// A program started from its portable copy, and its main window once that shows.
struct Running {
  PROCESS_INFORMATION pi{};
  HWND main = nullptr;
};

inline bool Start(const PortableCopy& c, const wchar_t* windowClass, Running& r, const wchar_t* arguments = L"") {
  std::wstring line = L"\"" + c.exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(c.exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, c.folder.c_str(), &si, &r.pi))
    return false;
  if (WaitForInputIdle(r.pi.hProcess, 30000) != 0) return false;
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!(r.main = MainWindowOf(r.pi.dwProcessId, windowClass)) && GetTickCount64() < deadline) Sleep(10);
  return r.main != nullptr;
}

inline void Stop(Running& r) {
  if (r.pi.hProcess == nullptr) return;
  if (!r.main || !PostMessageW(r.main, WM_CLOSE, 0, 0) || WaitForSingleObject(r.pi.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(r.pi.hProcess, 1);
    WaitForSingleObject(r.pi.hProcess, 5000);
  }
  CloseHandle(r.pi.hThread);
  CloseHandle(r.pi.hProcess);
  r = Running{};
}

// User plus kernel time of a process so far, in milliseconds.
inline double CpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ms = [](FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// Under Wine GetProcessTimes reports nothing for other processes; the host's own accounting is
// read instead: the Linux process whose command line names the executable copy (every copy lives
// in a folder of its own), through the Z: drive, utime + stime of /proc/<pid>/stat in clock ticks
// (100 per second on Linux).
inline bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

inline std::string ReadSmallFile(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string text(8192, '\0');
  DWORD got = 0;
  if (!ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) got = 0;
  CloseHandle(f);
  text.resize(got);
  return text;
}

struct HostFigures {
  double cpuMs = -1;
  double residentKb = -1;
};

inline HostFigures HostProcess(const std::wstring& exe) {
  // The folder name is unique to this run and copy; the command line holds it in some spelling.
  const std::wstring folder = FileNameOf(DirectoryOf(exe));
  const std::string needle(folder.begin(), folder.end());
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  HostFigures figures;
  if (find == INVALID_HANDLE_VALUE) return figures;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    const std::wstring dir = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    const std::string cmdline = ReadSmallFile(dir + L"\\cmdline");
    if (cmdline.find(needle) == std::string::npos) continue;
    const std::string stat = ReadSmallFile(dir + L"\\stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // Fields after the command name: state is field 3; utime and stime are fields 14 and 15.
    unsigned long long utime = 0, stime = 0;
    const char* p = stat.c_str() + close + 2;
    for (int field = 3; field < 14 && *p; ++field) p = std::strchr(p, ' ') ? std::strchr(p, ' ') + 1 : "";
    if (std::sscanf(p, "%llu %llu", &utime, &stime) != 2) continue;
    figures.cpuMs = (figures.cpuMs < 0 ? 0 : figures.cpuMs) + static_cast<double>(utime + stime) * 10.0;
    const std::string status = ReadSmallFile(dir + L"\\status");
    const size_t rss = status.find("VmRSS:");
    unsigned long long kb = 0;
    if (rss != std::string::npos && std::sscanf(status.c_str() + rss + 6, "%llu", &kb) == 1) {
      figures.residentKb = (figures.residentKb < 0 ? 0 : figures.residentKb) + static_cast<double>(kb);
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return figures;
}

inline double HostCpuMs(const std::wstring& exe) { return HostProcess(exe).cpuMs; }

inline double ProcessCpuMs(HANDLE process, const std::wstring& exe) {
  return UnderWine() ? HostCpuMs(exe) : CpuMs(process);
}

}  // namespace bench
