#include "platform/ShellStart.h"

#include <shellapi.h>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

bool OpenWithShell(const std::string& file, std::string_view parameters, int showCommand) {
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // NOASYNC: the start is complete when the call returns, as callers that end right afterwards
  // need (the ShellExecuteEx documentation's advice for a process about to exit). FLAG_NO_UI: no
  // message box of the shell's for a file that cannot be started.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.empty() ? nullptr : wideParameters.c_str();
  info.nShow = showCommand;
  return Tolerate(ShellExecuteExW(&info) != FALSE, "ShellExecuteExW");
}

std::string FindProgramFile(const std::string& name) {
  const std::wstring wideName = Widen(name);
  std::wstring found(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = SearchPathW(nullptr, wideName.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (n == 0) return name;
    if (n < found.size()) {
      found.resize(n);
      return Narrow(found);
    }
    found.resize(n);
  }
}

}  // namespace qb
