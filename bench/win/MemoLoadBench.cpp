// LoadDesktopMemos with eleven stored memos (texts, places, colours and fonts read from a settings
// file, windows created, styled, shown at the bottom and painted) next to creating eleven plain
// borderless windows with an edit control each and showing them, in the same run. Prints figures
// only.
//   bench-MemoLoadBench.exe [rounds=20]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchCopy.h"
#include "common/FileSystem.h"
#include "common/OpenWork.h"
#include "memo/DesktopMemos.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"
#include "settings/Settings.h"

namespace {

using bench::Now;

void PaintAll(const std::vector<HWND>& windows) {
  for (HWND w : windows) UpdateWindow(w);
  qb::PumpPendingMessages();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string ini = qb::Narrow(temp) + "qb-bench-memos-" + std::to_string(GetCurrentProcessId()) + ".ini";
  std::string text = "[DESKTOPMEMO]\r\n";
  for (int n = 0; n < 11; ++n) {
    const std::string k = std::to_string(n);
    text += "MEMO" + k + "=memo " + k + "@@second line@@third line\r\nTOP" + k + "=" + std::to_string(300 * n) +
            "\r\nLEFT" + k + "=" + std::to_string(450 * n) + "\r\nWIDTH" + k + "=3000\r\nHEIGHT" + k + "=1500\r\n";
    if (n % 2 == 0) text += "BKCOLOR" + k + "=16764108\r\n";
  }
  text += "[MemoFont3]\r\nName=IPAMincho\r\nSize=14\r\n";
  if (!qb::SystemFileSystem().WriteFileAtomically(ini, text)) {
    std::fprintf(stderr, "cannot write %s\n", ini.c_str());
    return 1;
  }
  qb::UseSettingsFile(ini, qb::SystemFileSystem());
  qb::OpenWorkSavers savers;
  qb::SetUpDesktopMemos(savers);

  std::vector<double> memoTimes;
  std::vector<double> plainTimes;
  for (int round = 0; round < rounds; ++round) {
    const double from = Now();
    qb::LoadDesktopMemos();
    std::vector<HWND> shown(qb::MemoWindows.begin(), qb::MemoWindows.end());
    PaintAll(shown);
    memoTimes.push_back((Now() - from) * 1000);

    const double plainFrom = Now();
    std::vector<HWND> plain;
    for (int n = 0; n < 11; ++n) {
      const HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_THICKFRAME, 30 * n, 20 * n, 200, 100,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
      CreateWindowExW(0, L"EDIT", L"memo\r\nsecond line\r\nthird line", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 190,
                      90, w, nullptr, GetModuleHandleW(nullptr), nullptr);
      SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
      plain.push_back(w);
    }
    PaintAll(plain);
    plainTimes.push_back((Now() - plainFrom) * 1000);
    for (HWND w : plain) DestroyWindow(w);
    // As at start-up, every round begins with no memo open (closing one would store it first).
    for (HWND w : qb::MemoWindows) {
      if (w != nullptr) DestroyWindow(w);
    }
  }
  DeleteFileW(qb::Widen(ini).c_str());

  const double memo = Median(memoTimes);
  const double plain = Median(plainTimes);
  std::printf("LoadDesktopMemos, eleven stored memos shown and painted (median of %d): %8.2f ms\n", rounds, memo);
  std::printf("eleven plain windows with an edit control, shown and painted:          %8.2f ms\n", plain);
  if (plain > 0) std::printf("  ratio: %.2f\n", memo / plain);
  return 0;
}
