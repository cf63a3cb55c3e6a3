#include "platform/Process.h"

#include <windows.h>

#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb {

std::wstring BuildCommandLine(std::wstring_view programPath, std::wstring_view arguments) {
  // A file name cannot contain '"', so the program path needs no escaping inside the quotes; and
  // the first word of a command line ends at the closing quote, backslashes or not.
  std::wstring line;
  line.reserve(programPath.size() + arguments.size() + 3);
  line += L'"';
  line += programPath;
  line += L'"';
  if (!arguments.empty()) {
    line += L' ';
    line += arguments;
  }
  return line;
}

bool StartProcess(const std::string& programPath, std::string_view arguments, int showCommand,
                  const std::string& workingDirectory, Foreground foreground) {
  const std::wstring program = Widen(programPath);
  std::wstring commandLine = BuildCommandLine(program, Widen(arguments));  // CreateProcessW may write to it
  const std::wstring directory = Widen(workingDirectory);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION pi{};
  // Handing over the foreground right needs the process id before the program runs: it is started
  // suspended, or its first window could come up before the right is there.
  const bool handOver = foreground == Foreground::HandOver;
  const BOOL ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                 handOver ? CREATE_SUSPENDED : 0, nullptr, directory.empty() ? nullptr : directory.c_str(),
                                 &si, &pi);
  if (!Tolerate(ok != FALSE, "CreateProcessW")) return false;
  UniqueHandle process(pi.hProcess);
  UniqueHandle thread(pi.hThread);
  if (handOver) {
    Tolerate(AllowSetForegroundWindow(pi.dwProcessId) != FALSE, "AllowSetForegroundWindow");
    if (!Tolerate(ResumeThread(thread.get()) != static_cast<DWORD>(-1), "ResumeThread")) {
      // Never leave a program behind that cannot run.
      TerminateProcess(process.get(), 1);
      return false;
    }
  }
  return true;
}

}  // namespace qb
