#pragma once
// The one place where tolerated failures are recorded. Lines go to the debugger output and, when
// the environment variable QUORBELL_LOG names a file, are appended to that file (handy under Wine,
// where nobody watches the debugger output). The program's behaviour never depends on the log.
#include <windows.h>

#include <string_view>

namespace qb {

void DebugLog(std::string_view line) noexcept;

// "<call> failed: <code> <system text>".
void LogWin32Failure(std::string_view call, DWORD error) noexcept;

// For Win32 calls whose failure the program deliberately ignores: logs the failure with the
// thread's last error and hands back `ok`, so the call site reads as one visible decision.
bool Tolerate(bool ok, std::string_view call) noexcept;

// Call from inside a catch block: logs what was caught and where.
void LogCurrentException(std::string_view where) noexcept;

}  // namespace qb
