// What the resident program costs while the user does nothing: CPU time (user + kernel, from
// GetProcessTimes) that Quorbell.exe uses over a period after start-up, next to a trivial Win32
// program with a message loop measured over the same period in the same run, and the number of
// timer messages Quorbell's main window received meanwhile (it answers the registered message
// "Quorbell.TimerMessageCount"). Run 1 uses the default settings (an empty Quorbell.ini beside a
// private copy: portable mode); run 2 turns mouse warp on, which watches the mouse's movement and
// should cost nothing while the mouse rests. Also the resident memory (working set) of both a
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
using bench::HostProcess;
using bench::ProcessCpuMs;
using bench::Running;
using bench::Start;
using bench::Stop;
using bench::UnderWine;

bool PrepareCopy(Copy& c, const std::wstring& source, const wchar_t* tag, const char* ini) {
  return bench::MakePortableCopy(c, source, L"qb-idle-bench", tag, ini);
}

void RemoveCopy(const Copy& c) { bench::RemovePortableCopy(c); }

// The working set in KiB: the host's resident set under Wine (which reports nothing for other
// processes), GetProcessMemoryInfo elsewhere.
double ResidentKb(HANDLE process, const std::wstring& exe) {
  if (UnderWine()) return HostProcess(exe).residentKb;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.WorkingSetSize) / 1024.0;
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
    std::printf("  Quorbell.exe, mouse warp on      %9.1f ms CPU   timer messages %lld (a resting mouse: none expected)\n",
                warping.quorbellMs, warping.timerMessages);
  } else {
    std::printf("  mouse-warp run did not reach the resident state\n");
  }
  return idleOk && warpOk ? 0 : 1;
}
