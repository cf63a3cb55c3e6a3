// What an open analog clock costs while the user does nothing: CPU time (user + kernel) of two
// private copies of Quorbell.exe idling one after the other for the same period (only one instance
// runs at a time), one with a clock open (DESKTOPCLOCK/Enable=True) and one without, the difference per minute, and how often the clock
// painted itself meanwhile (it answers the registered message "Quorbell.ClockPaintCount"; about one
// paint a second is expected). Prints figures only.
//   bench-ClockCostBench.exe [seconds=60] [path of Quorbell.exe, default ..\Quorbell.exe]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchCopy.h"

namespace {

using bench::Running;

long long PaintCount(HWND clock) {
  DWORD_PTR answer = 0;
  const UINT message = RegisterWindowMessageW(L"Quorbell.ClockPaintCount");
  if (clock == nullptr || !SendMessageTimeoutW(clock, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return static_cast<long long>(answer);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 60;
  const std::wstring quorbellExe =
      argc > 2 ? std::wstring(argv[2]) : bench::DirectoryOf(bench::OwnDirectory()) + L"\\Quorbell.exe";

  bench::PortableCopy withClock, withoutClock;
  const bool prepared =
      bench::MakePortableCopy(withClock, quorbellExe, L"qb-clock-bench", L"clock", "[DESKTOPCLOCK]\r\nEnable=True\r\n") &&
      bench::MakePortableCopy(withoutClock, quorbellExe, L"qb-clock-bench", L"none", "");
  if (!prepared) {
    std::fprintf(stderr, "cannot prepare the program copies (Quorbell.exe: %ls)\n", quorbellExe.c_str());
    bench::RemovePortableCopy(withClock);
    bench::RemovePortableCopy(withoutClock);
    return 1;
  }

  double clockMs = -1, noneMs = -1;
  long long paints = -1;
  bool ok = false;
  {
    Running c;
    HWND clock = nullptr;
    if (bench::Start(withClock, L"Quorbell.MainWindow", c)) {
      const ULONGLONG deadline = GetTickCount64() + 10000;
      while (!(clock = bench::MainWindowOf(c.pi.dwProcessId, L"Quorbell.ClockWindow")) && GetTickCount64() < deadline)
        Sleep(10);
    }
    if (clock != nullptr) {
      Sleep(1000);  // settles after start-up
      const double c0 = bench::ProcessCpuMs(c.pi.hProcess, withClock.exe);
      const long long p0 = PaintCount(clock);
      Sleep(static_cast<DWORD>(seconds) * 1000);
      clockMs = bench::ProcessCpuMs(c.pi.hProcess, withClock.exe) - c0;
      const long long p1 = PaintCount(clock);
      if (p0 >= 0 && p1 >= 0) paints = p1 - p0;
    }
    bench::Stop(c);
  }
  {
    Running n;
    if (bench::Start(withoutClock, L"Quorbell.MainWindow", n)) {
      Sleep(1000);
      const double n0 = bench::ProcessCpuMs(n.pi.hProcess, withoutClock.exe);
      Sleep(static_cast<DWORD>(seconds) * 1000);
      noneMs = bench::ProcessCpuMs(n.pi.hProcess, withoutClock.exe) - n0;
      ok = clockMs >= 0 && noneMs >= 0;
    }
    bench::Stop(n);
  }
  bench::RemovePortableCopy(withClock);
  bench::RemovePortableCopy(withoutClock);
  if (!ok) {
    std::printf("the programs or the clock did not come up\n");
    return 1;
  }
  std::printf("Idle cost of one analog clock over %d s (CPU time = user + kernel%s)\n", seconds,
              bench::UnderWine() ? ", host accounting in 10 ms ticks" : "");
  std::printf("  Quorbell.exe with a clock open   %9.1f ms CPU   clock paints %lld (about %d expected)\n", clockMs,
              paints, seconds);
  std::printf("  Quorbell.exe without a clock     %9.1f ms CPU\n", noneMs);
  std::printf("  difference                       %9.1f ms CPU per minute\n", (clockMs - noneMs) * 60.0 / seconds);
  return 0;
}
