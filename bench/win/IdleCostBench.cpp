// What the resident program costs while the user does nothing: CPU time (user + kernel, from
// GetProcessTimes) that Quorbell.exe uses over a period after start-up, next to a trivial Win32
// program with a message loop measured over the same period in the same run, and the number of
// timer messages Quorbell's main window received meanwhile (it answers the registered message
// "Quorbell.TimerMessageCount"). Run 1 uses the default settings (an empty Quorbell.ini beside a
// private copy: portable mode); run 2 turns mouse warp on, which runs the 10 ms timer, to show what
// the count looks like when the timer runs. Also the resident memory (working set) of both a
// second after start-up, the trivial program showing a tray icon as a resident program does, and
// the size of Quorbell.exe. Prints figures only.
//   bench-IdleCostBench.exe [seconds=60] [path of Quorbell.exe, default ..\Quorbell.exe]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "BenchCopy.h"

namespace {

using bench::DirectoryOf;
using bench::FileNameOf;
using bench::MainWindowOf;
using bench::OwnDirectory;
using Copy = bench::PortableCopy;

bool PrepareCopy(Copy& c, const std::wstring& source, const wchar_t* tag, const char* ini) {
  return bench::MakePortableCopy(c, source, L"qb-idle-bench", tag, ini);
}

void RemoveCopy(const Copy& c) { bench::RemovePortableCopy(c); }

struct Running {
  PROCESS_INFORMATION pi{};
  HWND main = nullptr;
};

bool Start(const Copy& c, const wchar_t* windowClass, Running& r, const wchar_t* arguments = L"") {
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

void Stop(Running& r) {
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
double CpuMs(HANDLE process) {
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
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::string ReadSmallFile(const std::wstring& path) {
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

HostFigures HostProcess(const std::wstring& exe) {
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

double HostCpuMs(const std::wstring& exe) { return HostProcess(exe).cpuMs; }

// The working set in KiB: the host's resident set under Wine (which reports nothing for other
// processes), GetProcessMemoryInfo elsewhere.
double ResidentKb(HANDLE process, const std::wstring& exe) {
  if (UnderWine()) return HostProcess(exe).residentKb;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.WorkingSetSize) / 1024.0;
}

double ProcessCpuMs(HANDLE process, const std::wstring& exe) {
  return UnderWine() ? HostCpuMs(exe) : CpuMs(process);
}

// The timer messages Quorbell's main window has received; -1 when it did not answer.
long long TimerMessages(HWND main) {
  DWORD_PTR answer = 0;
  const UINT message = RegisterWindowMessageW(L"Quorbell.TimerMessageCount");
  if (!SendMessageTimeoutW(main, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return static_cast<long long>(answer);
}

struct Figures {
  double quorbellMs = -1;
  double trivialMs = -1;
  long long timerMessages = -1;
  double quorbellKb = -1;
  double trivialKb = -1;
};

// Starts both programs, lets them settle for a second, then measures `seconds` of idling.
bool MeasureIdle(const Copy& quorbell, const Copy* trivial, int seconds, Figures& f) {
  Running q, t;
  bool ok = Start(quorbell, L"Quorbell.MainWindow", q);
  if (ok && trivial) ok = Start(*trivial, L"QuorbellBench.Trivial", t, L"tray");
  if (ok) {
    Sleep(1000);
    f.quorbellKb = ResidentKb(q.pi.hProcess, quorbell.exe);
    if (trivial) f.trivialKb = ResidentKb(t.pi.hProcess, trivial->exe);
    const double q0 = ProcessCpuMs(q.pi.hProcess, quorbell.exe);
    const double t0 = trivial ? ProcessCpuMs(t.pi.hProcess, trivial->exe) : 0;
    const long long timers0 = TimerMessages(q.main);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    f.quorbellMs = ProcessCpuMs(q.pi.hProcess, quorbell.exe) - q0;
    if (trivial) f.trivialMs = ProcessCpuMs(t.pi.hProcess, trivial->exe) - t0;
    const long long timers1 = TimerMessages(q.main);
    if (timers0 >= 0 && timers1 >= 0) f.timerMessages = timers1 - timers0;
  }
  Stop(q);
  Stop(t);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 60;
  const std::wstring quorbellExe = argc > 2 ? std::wstring(argv[2]) : DirectoryOf(OwnDirectory()) + L"\\Quorbell.exe";
  const std::wstring trivialExe = OwnDirectory() + L"\\trivial-window.exe";

  Copy quiet, warp, trivial;
  if (!PrepareCopy(quiet, quorbellExe, L"default", "") ||
      !PrepareCopy(warp, quorbellExe, L"warp", "[MouseWarp]\r\nEnable=1\r\n") ||
      !PrepareCopy(trivial, trivialExe, L"trivial", "")) {
    std::fprintf(stderr, "cannot prepare the program copies (Quorbell.exe: %ls)\n", quorbellExe.c_str());
    RemoveCopy(quiet);
    RemoveCopy(warp);
    RemoveCopy(trivial);
    return 1;
  }

  Figures idle, warping;
  const bool idleOk = MeasureIdle(quiet, &trivial, seconds, idle);
  const bool warpOk = MeasureIdle(warp, nullptr, seconds, warping);
  RemoveCopy(quiet);
  RemoveCopy(warp);
  RemoveCopy(trivial);

  std::printf("Idle cost over %d s after start-up (CPU time = user + kernel%s)\n", seconds,
              UnderWine() ? ", host accounting in 10 ms ticks" : "");
  if (idleOk) {
    std::printf("  Quorbell.exe, default settings   %9.1f ms CPU   timer messages %lld\n", idle.quorbellMs,
                idle.timerMessages);
    std::printf("  trivial Win32 program            %9.1f ms CPU\n", idle.trivialMs);
    if (idle.trivialMs > 0) {
      std::printf("  ratio Quorbell / trivial: %.2f\n", idle.quorbellMs / idle.trivialMs);
    } else {
      std::printf("  ratio Quorbell / trivial: (trivial program used no measurable CPU time)\n");
    }
    std::printf("Resident memory (working set) a second after start-up\n");
    std::printf("  Quorbell.exe, default settings   %9.0f KiB\n", idle.quorbellKb);
    std::printf("  trivial program with a tray icon %9.0f KiB\n", idle.trivialKb);
    if (idle.trivialKb > 0) std::printf("  ratio Quorbell / trivial: %.2f\n", idle.quorbellKb / idle.trivialKb);
  } else {
    std::printf("  default run did not reach the resident state\n");
  }
  WIN32_FILE_ATTRIBUTE_DATA exe{};
  if (GetFileAttributesExW(quorbellExe.c_str(), GetFileExInfoStandard, &exe)) {
    std::printf("Size of Quorbell.exe: %llu bytes\n",
                (static_cast<unsigned long long>(exe.nFileSizeHigh) << 32) | exe.nFileSizeLow);
  }
  if (warpOk) {
    std::printf("  Quorbell.exe, mouse warp on      %9.1f ms CPU   timer messages %lld (10 ms timer: about %d expected)\n",
                warping.quorbellMs, warping.timerMessages, seconds * 100);
  } else {
    std::printf("  mouse-warp run did not reach the resident state\n");
  }
  return idleOk && warpOk ? 0 : 1;
}
