#pragma once
// Opening a document with the program the user has associated with its kind, as Explorer's
// double-click does.
#include <windows.h>

#include <string>

namespace qb {

// ShellExecuteW with the default verb, no parameters, shown normally; messages the shell itself
// shows on failure are owned by `owner`. False when the shell reports a failure (logged).
bool OpenWithShell(HWND owner, const std::string& path);

}  // namespace qb
