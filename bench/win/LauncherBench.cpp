// How long the launcher menu takes to come up: from Ctrl+F11 pressed as real keys to the menu
// window shown with its sixteen rows filled (the window shows only once every row is loaded, each
// row's icon extracted from its program), next to the start of a trivial Win32 program (process
// created -> input idle and its window present) in the same run, the two alternating. A private
// copy of Quorbell.exe runs resident; its sixteen launcher entries name that copy itself, so every
// row extracts an icon. Prints figures only.
//   bench-LauncherBench.exe [runs=7] [path of Quorbell.exe, default ..\Quorbell.exe]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchCopy.h"

namespace {

constexpr wchar_t kLauncherClass[] = L"Quorbell.LauncherWindow";
constexpr wchar_t kTrivialClass[] = L"QuorbellBench.Trivial";

double NowMs() { return bench::Now() * 1000.0; }

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The visible launcher window of any process, or null.
HWND ShownLauncher() {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kLauncherClass, nullptr)) != nullptr) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// A small window of the benchmark in front: the system hands a hotkey over only while one of its
// own windows has the keys.
HWND MakeFrontWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuorbellBench.Front";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  const HWND window = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 600, 600, 80, 40, nullptr,
                                      nullptr, wc.hInstance, nullptr);
  return window;
}

bool BringToFront(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (GetForegroundWindow() != window && GetTickCount64() < deadline) {
    SetForegroundWindow(window);
    PumpMessages();
    Sleep(10);
  }
  return GetForegroundWindow() == window;
}

bool PressCtrlF11() {
  INPUT keys[4]{};
  const WORD codes[4] = {VK_CONTROL, VK_F11, VK_F11, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(codes[i], MAPVK_VK_TO_VSC));
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  return SendInput(4, keys, sizeof(INPUT)) == 4;
}

// One menu: ms from the key press to the menu shown, negative when it never showed. The menu is
// ended with Escape and its process waited for before the next start.
double OpenMenuOnce(HWND front) {
  if (!BringToFront(front)) return -1;
  const double start = NowMs();
  if (!PressCtrlF11()) return -1;
  HWND menu = nullptr;
  const double deadline = start + 30000;
  while (!(menu = ShownLauncher()) && NowMs() < deadline) {
    PumpMessages();
    Sleep(1);
  }
  if (menu == nullptr) return -1;
  const double elapsed = NowMs() - start;
  DWORD processId = 0;
  GetWindowThreadProcessId(menu, &processId);
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  if (process != nullptr) {
    if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
  return elapsed;
}

// One start of the trivial program: ms to its window, negative when it never came.
double StartTrivialOnce(const bench::PortableCopy& trivial) {
  const double start = NowMs();
  bench::Running r;
  const bool up = bench::Start(trivial, kTrivialClass, r);
  const double elapsed = NowMs() - start;
  bench::Stop(r);
  return up ? elapsed : -1;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void PrintFigures(const char* label, const std::vector<double>& ms) {
  if (ms.empty()) {
    std::printf("  %-40s no run succeeded\n", label);
    return;
  }
  std::printf("  %-40s median %8.1f ms   min %8.1f   max %8.1f\n", label, Median(ms), *std::min_element(ms.begin(), ms.end()),
              *std::max_element(ms.begin(), ms.end()));
}

// Sixteen entries naming `exe`, written in the system code page as the settings file is.
bool WriteEntries(const bench::PortableCopy& copy) {
  std::wstring ini = L"[APPPATH]\r\n";
  for (int k = 1; k <= 16; ++k) ini += std::to_wstring(k) + L"=" + copy.exe + L"\r\n";
  ini += L"[APPNAME]\r\n";
  for (int k = 1; k <= 16; ++k) ini += std::to_wstring(k) + L"=entry " + std::to_wstring(k) + L"\r\n";
  const int size = WideCharToMultiByte(CP_ACP, 0, ini.c_str(), static_cast<int>(ini.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, ini.c_str(), static_cast<int>(ini.size()), bytes.data(), size, nullptr, nullptr);
  const HANDLE f = CreateFileW((copy.folder + L"\\Quorbell.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(f);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
  const std::wstring quorbellExe =
      argc > 2 ? std::wstring(argv[2]) : bench::DirectoryOf(bench::OwnDirectory()) + L"\\Quorbell.exe";

  bench::PortableCopy quorbell, trivial;
  const bool prepared = bench::MakePortableCopy(quorbell, quorbellExe, L"qb-launcher-bench", L"menu", "") &&
                        WriteEntries(quorbell) &&
                        bench::MakePortableCopy(trivial, bench::OwnDirectory() + L"\\trivial-window.exe",
                                                L"qb-launcher-bench", L"trivial", "");
  if (!prepared) {
    std::fprintf(stderr, "cannot prepare the program copies (Quorbell.exe: %ls)\n", quorbellExe.c_str());
    bench::RemovePortableCopy(quorbell);
    bench::RemovePortableCopy(trivial);
    return 1;
  }

  std::vector<double> menuMs, trivialMs;
  int failures = 0;
  bench::Running resident;
  const HWND front = MakeFrontWindow();
  if (front != nullptr && bench::Start(quorbell, L"Quorbell.MainWindow", resident)) {
    // One unmeasured round each: the files are then in the cache, as any later start finds them.
    OpenMenuOnce(front);
    StartTrivialOnce(trivial);
    for (int run = 0; run < runs; ++run) {
      const double menu = OpenMenuOnce(front);
      const double plain = StartTrivialOnce(trivial);
      if (menu < 0 || plain < 0) ++failures;
      if (menu >= 0) menuMs.push_back(menu);
      if (plain >= 0) trivialMs.push_back(plain);
    }
  } else {
    ++failures;
  }
  bench::Stop(resident);
  if (front != nullptr) DestroyWindow(front);
  bench::RemovePortableCopy(quorbell);
  bench::RemovePortableCopy(trivial);

  std::printf("Launcher menu: Ctrl+F11 -> menu shown with 16 entries and their icons, %d runs\n", runs);
  PrintFigures("launcher menu (helper process)", menuMs);
  PrintFigures("trivial Win32 program (start -> window)", trivialMs);
  if (!menuMs.empty() && !trivialMs.empty() && Median(trivialMs) > 0)
    std::printf("  ratio launcher / trivial: %.2f\n", Median(menuMs) / Median(trivialMs));
  if (failures > 0) std::printf("  %d run(s) did not finish\n", failures);
  return failures > 0 ? 1 : 0;
}
