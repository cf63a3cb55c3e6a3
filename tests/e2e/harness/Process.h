#pragma once
// Processes started by a test. Every one is put into one job object of the test executable, so
// that nothing outlives the test run even when the harness itself crashes, and an AppProcess ends
// its process when it goes out of scope.
#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Wait.h"

namespace qb::e2e {

class AppFolder;

// The hidden main window every resident instance owns.
inline constexpr wchar_t kMainWindowClass[] = L"Quorbell.MainWindow";
inline constexpr wchar_t kMainWindowCaption[] = L"Quorbell";

class AppProcess {
public:
  AppProcess() = default;
  // Starts the program of `folder` as `"<exe path>" args` with the folder as working directory.
  static AppProcess Start(const AppFolder& folder, std::wstring_view args = L"");
  // Starts any executable the same way.
  static AppProcess StartExe(const std::wstring& exe, std::wstring_view args, const std::wstring& workDir);

  AppProcess(AppProcess&& other) noexcept;
  AppProcess& operator=(AppProcess&& other) noexcept;
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;
  // Kills the process when it still runs.
  ~AppProcess();

  [[nodiscard]] bool Started() const { return process_ != nullptr; }
  explicit operator bool() const { return Started(); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  const std::wstring& CommandLine() const { return commandLine_; }

  [[nodiscard]] bool Running() const;
  // True once the process waits for input with an empty queue (WaitForInputIdle).
  [[nodiscard]] bool WaitForIdle(Millis timeout = kDefaultTimeout) const;
  // The exit code once the process has ended, nullopt when it still runs after `timeout`.
  [[nodiscard]] std::optional<DWORD> WaitForExit(Millis timeout = kDefaultTimeout) const;
  // Terminates the process (exit code 0xDEAD) and waits until it is gone.
  void Kill();

  // The class WaitForMainWindow looks for: Quorbell.MainWindow unless a fixture program has another.
  void SetMainWindowClass(std::wstring className) { mainWindowClass_ = std::move(className); }
  // The top-level window of the main window class that belongs to this process, once it exists.
  [[nodiscard]] HWND WaitForMainWindow(Millis timeout = kDefaultTimeout) const;
  // Waits for resident state: input idle and the main window present. Null on time-out.
  [[nodiscard]] HWND WaitUntilResident(Millis timeout = kDefaultTimeout) const;
  // Posts WM_CLOSE to the main window and waits for the exit code (nullopt: no window or no exit).
  [[nodiscard]] std::optional<DWORD> CloseMainWindow(Millis timeout = kDefaultTimeout);

private:
  void Release();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::wstring commandLine_;
  std::wstring mainWindowClass_ = kMainWindowClass;
};

inline constexpr DWORD kKilledExitCode = 0xDEAD;

// "<quoted exe>" + (args empty ? "" : " " + args)
std::wstring BuildCommandLine(const std::wstring& exe, std::wstring_view args);

// Ends every process started through the harness (and their children) that still runs; answers
// their ids. Scenarios call it after each test to guarantee a clean slate for the next one.
std::vector<DWORD> EndLeftoverProcesses();

// The Quorbell.exe processes other than `resident` (the helpers it started: the diet, the launcher).
std::set<DWORD> HelperProcesses(DWORD resident);

// Top-level main windows (class Quorbell.MainWindow) of any process; a leftover here would break the
// single-instance rule for every later test.
std::vector<HWND> ResidentMainWindows();
// Terminates the processes owning those windows; answers how many there were.
size_t KillResidentInstances();

}  // namespace qb::e2e
