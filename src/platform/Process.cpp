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
                  const std::string& workingDirectory) {
  const std::wstring program = Widen(programPath);
  std::wstring commandLine = BuildCommandLine(program, Widen(arguments));  // CreateProcessW may write to it
  const std::wstring directory = Widen(workingDirectory);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION pi{};
  const BOOL ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 directory.empty() ? nullptr : directory.c_str(), &si, &pi);
  if (!Tolerate(ok != FALSE, "CreateProcessW")) return false;
  UniqueHandle process(pi.hProcess);
  UniqueHandle thread(pi.hThread);
  return true;
}

}  // namespace qb
