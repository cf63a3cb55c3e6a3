#include "harness/Process.h"

#include <tlhelp32.h>

#include <set>
#include <utility>

#include "harness/AppFolder.h"
#include "harness/WindowQueries.h"
#include "platform/Handles.h"

namespace qb::e2e {

namespace {

// One job for everything the test executable starts. Closing its last handle (at exit, or when the
// harness crashes) kills every process still in it, the program's own children included.
HANDLE TestJob() {
  static HANDLE job = [] {
    HANDLE h = CreateJobObjectW(nullptr, nullptr);
    if (h) {
      JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
      limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
      SetInformationJobObject(h, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return h;
  }();
  return job;
}

void TerminateById(DWORD pid) {
  HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!h) return;
  TerminateProcess(h, kKilledExitCode);
  WaitForSingleObject(h, 5000);
  CloseHandle(h);
}

}  // namespace

std::wstring BuildCommandLine(const std::wstring& exe, std::wstring_view args) {
  std::wstring line = L"\"" + exe + L"\"";
  if (!args.empty()) {
    line += L' ';
    line += args;
  }
  return line;
}

AppProcess AppProcess::Start(const AppFolder& folder, std::wstring_view args) {
  return StartExe(folder.ExePath(), args, folder.Dir());
}

AppProcess AppProcess::StartExe(const std::wstring& exe, std::wstring_view args, const std::wstring& workDir) {
  AppProcess p;
  p.commandLine_ = BuildCommandLine(exe, args);
  std::wstring mutableLine = p.commandLine_;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Suspended until it is in the job, so not even its first child can escape.
  if (!CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi)) {
    return p;
  }
  if (HANDLE job = TestJob()) AssignProcessToJobObject(job, pi.hProcess);
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  p.process_ = pi.hProcess;
  p.id_ = pi.dwProcessId;
  return p;
}

AppProcess::AppProcess(AppProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      commandLine_(std::move(other.commandLine_)),
      mainWindowClass_(std::move(other.mainWindowClass_)) {}

AppProcess& AppProcess::operator=(AppProcess&& other) noexcept {
  if (this != &other) {
    Release();
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
    commandLine_ = std::move(other.commandLine_);
    mainWindowClass_ = std::move(other.mainWindowClass_);
  }
  return *this;
}

AppProcess::~AppProcess() { Release(); }

void AppProcess::Release() {
  if (!process_) return;
  if (Running()) Kill();
  CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

bool AppProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool AppProcess::WaitForIdle(Millis timeout) const {
  return process_ && WaitForInputIdle(process_, ToDword(timeout)) == 0;
}

std::optional<DWORD> AppProcess::WaitForExit(Millis timeout) const {
  if (!process_ || WaitForSingleObject(process_, ToDword(timeout)) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

void AppProcess::Kill() {
  if (!process_) return;
  TerminateProcess(process_, kKilledExitCode);
  WaitForSingleObject(process_, 10000);
}

HWND AppProcess::WaitForMainWindow(Millis timeout) const {
  if (!process_) return nullptr;
  WindowFilter filter;
  filter.processId = id_;
  filter.className = mainWindowClass_;
  return WaitForWindow(filter, timeout);
}

HWND AppProcess::WaitUntilResident(Millis timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  if (!WaitForIdle(timeout)) return nullptr;
  auto left = std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
  return WaitForMainWindow(left < 0ms ? 0ms : left);
}

std::optional<DWORD> AppProcess::CloseMainWindow(Millis timeout) {
  HWND main = WaitForMainWindow(timeout);
  if (!main || !PostMessageW(main, WM_CLOSE, 0, 0)) return std::nullopt;
  return WaitForExit(timeout);
}

std::vector<DWORD> EndLeftoverProcesses() {
  std::vector<DWORD> ended;
  HANDLE job = TestJob();
  if (!job) return ended;
  // Room for far more processes than any test starts.
  struct {
    JOBOBJECT_BASIC_PROCESS_ID_LIST list;
    ULONG_PTR more[255];
  } ids{};
  if (!QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr)) return ended;
  for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
    DWORD pid = static_cast<DWORD>(ids.list.ProcessIdList[i]);
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool alive = h && WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    if (h) CloseHandle(h);
    if (!alive) continue;
    TerminateById(pid);
    ended.push_back(pid);
  }
  return ended;
}

std::vector<HWND> ResidentMainWindows() {
  WindowFilter filter;
  filter.className = kMainWindowClass;
  return TopLevelWindows(filter);
}

size_t KillResidentInstances() {
  auto windows = ResidentMainWindows();
  for (HWND hwnd : windows) TerminateById(ProcessOf(hwnd));
  return windows.size();
}

std::set<DWORD> HelperProcesses(DWORD resident) {
  std::set<DWORD> found;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"Quorbell.exe") == 0 && entry.th32ProcessID != resident)
      found.insert(entry.th32ProcessID);
  }
  return found;
}

}  // namespace qb::e2e
