#pragma once
// Files and the shell: opening a name with the shell's "open" action (a program, a document with
// the program associated with it, a folder, an internet address), and the names of the files the
// user dropped onto a window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace qb {

// ShellExecuteEx with the verb "open", no parameters, no directory, shown normally, not waited for.
// When the shell cannot open the name it shows its own message, owned by `owner`. True when the
// shell opened it.
bool OpenWithShell(HWND owner, const std::string& name);

// The full paths of the files in a WM_DROPFILES drop, in the order of the drop list. Does not
// release the drop (DragFinish).
[[nodiscard]] std::vector<std::string> DroppedFiles(HDROP drop);

}  // namespace qb
