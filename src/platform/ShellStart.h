#pragma once
// Starting programs and opening documents and folders the way the shell does: a program runs, a
// document opens in the program associated with its type, a folder opens in a folder window.
#include <windows.h>

#include <string>
#include <string_view>

namespace qb {

// ShellExecuteExW with the default verb. `file` is a path or a name the system finds (App Paths,
// the search path); `parameters` go to a program as its arguments. Returns once the start has been
// handed over, so the caller may end at once; shows no message of its own (a failure is logged).
// False when nothing could be started.
[[nodiscard]] bool OpenWithShell(const std::string& file, std::string_view parameters, int showCommand);

// The full path of a program named without a folder ("notepad"), found as the system finds a
// command: the program's folder, the current folder, the system folders, PATH, ".exe" added when
// the name has no extension. The name itself when nothing is found.
std::string FindProgramFile(const std::string& name);

}  // namespace qb
