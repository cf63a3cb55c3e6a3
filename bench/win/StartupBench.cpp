// Start-up time to the resident state: from process creation until WaitForInputIdle returns and
// the main window exists. Quorbell.exe is measured next to a trivial Win32 program and the same
// program showing a tray icon (a bare resident program) in the same run, alternating, so the
// ratios say what Quorbell adds on this machine. The tray-icon program runs a second time with
// Quorbell's manifest (visual styles, per-monitor DPI), which costs a start-up by itself. Each
// program runs from its own fresh folder with an empty Quorbell.ini beside it (portable mode, no
// real settings touched), and every instance is closed through its main window before the next
// starts. Prints figures only.
//   bench-StartupBench.exe <path of Quorbell.exe> [runs=7]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchCopy.h"

namespace {

using bench::DirectoryOf;
using bench::MainWindowOf;
using bench::OwnDirectory;

struct Program {
  const char* label;
  std::wstring source;     // the executable to copy
  const wchar_t* windowClass;
  const wchar_t* arguments;
  std::wstring folder;     // fresh folder holding the copy
  std::wstring exe;
  std::vector<double> ms;  // one figure per run
};

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PrepareFolder(Program& p, int index) {
  bench::PortableCopy copy;
  const bool ok = bench::MakePortableCopy(copy, p.source, L"qb-startup-bench", std::to_wstring(index), "");
  p.folder = copy.folder;
  p.exe = copy.exe;
  return ok;
}

void RemoveFolder(const Program& p) { bench::RemovePortableCopy({p.folder, p.exe}); }

// One start: the time to resident state in ms, or a negative value when it never got there.
double StartOnce(const Program& p) {
  std::wstring line = L"\"" + p.exe + L"\" " + p.arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  double start = NowMs();
  if (!CreateProcessW(p.exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, p.folder.c_str(), &si, &pi)) {
    return -1;
  }
  double elapsed = -1;
  HWND main = nullptr;
  if (WaitForInputIdle(pi.hProcess, 30000) == 0) {
    const double deadline = NowMs() + 30000;
    while (!(main = MainWindowOf(pi.dwProcessId, p.windowClass)) && NowMs() < deadline) Sleep(1);
    if (main) elapsed = NowMs() - start;
  }
  // Close it the way the user's shutdown would, before the next start (single instance).
  if (!main || !PostMessageW(main, WM_CLOSE, 0, 0) || WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return elapsed;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench-StartupBench.exe <path of Quorbell.exe> [runs=7]\n");
    return 2;
  }
  int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  std::vector<Program> programs = {
      {"Quorbell.exe", argv[1], L"Quorbell.MainWindow", L"", {}, {}, {}},
      {"trivial Win32 program", OwnDirectory() + L"\\trivial-window.exe", L"QuorbellBench.Trivial", L"", {}, {}, {}},
      {"bare tray-icon program", OwnDirectory() + L"\\trivial-window.exe", L"QuorbellBench.Trivial", L"tray", {}, {}, {}},
      {"the same, with manifest", OwnDirectory() + L"\\trivial-window-styled.exe", L"QuorbellBench.Trivial", L"tray",
       {}, {}, {}},
  };
  for (size_t i = 0; i < programs.size(); ++i) {
    if (!PrepareFolder(programs[i], static_cast<int>(i))) {
      std::fprintf(stderr, "cannot prepare a folder for %s\n", programs[i].label);
      for (auto& p : programs) RemoveFolder(p);
      return 1;
    }
  }

  // One unmeasured start each: loads the files into the cache as any later start would find them.
  for (auto& p : programs) StartOnce(p);
  int failures = 0;
  for (int run = 0; run < runs; ++run) {
    for (auto& p : programs) {
      double ms = StartOnce(p);
      if (ms < 0) {
        ++failures;
      } else {
        p.ms.push_back(ms);
      }
    }
  }
  for (auto& p : programs) RemoveFolder(p);

  std::printf("Start-up to resident state (process created -> input idle and main window present), %d runs\n", runs);
  for (const auto& p : programs) {
    if (p.ms.empty()) {
      std::printf("  %-24s no run reached the resident state\n", p.label);
      continue;
    }
    std::printf("  %-24s median %8.1f ms   min %8.1f   max %8.1f\n", p.label, Median(p.ms),
                *std::min_element(p.ms.begin(), p.ms.end()), *std::max_element(p.ms.begin(), p.ms.end()));
  }
  for (size_t yardstick : {size_t{1}, size_t{2}, size_t{3}}) {
    if (!programs[0].ms.empty() && !programs[yardstick].ms.empty() && Median(programs[yardstick].ms) > 0) {
      // The fastest starts too: on a machine busy with other work they come nearest to what a
      // start costs by itself.
      std::printf("  ratio Quorbell / %s: %.2f (fastest starts: %.2f)\n", programs[yardstick].label,
                  Median(programs[0].ms) / Median(programs[yardstick].ms),
                  *std::min_element(programs[0].ms.begin(), programs[0].ms.end()) /
                      *std::min_element(programs[yardstick].ms.begin(), programs[yardstick].ms.end()));
    }
  }
  if (failures) std::printf("  %d start(s) did not reach the resident state\n", failures);
  return failures ? 1 : 0;
}
