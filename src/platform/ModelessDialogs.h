#pragma once
// Modeless dialogs in the program's one message loop: their keyboard works as in any dialog (Tab
// and Shift+Tab, the arrow keys in groups, Enter for the default button, Escape for cancel) because
// the loop hands their messages to IsDialogMessage. A dialog may look at its key messages first.
#include <windows.h>

#include <functional>

namespace qb {

// Answers true when it has handled the message itself (the loop then does nothing more with it).
using DialogKeyPreview = std::function<bool(const MSG& msg)>;

void AddModelessDialog(HWND dialog, DialogKeyPreview preview = {});
void RemoveModelessDialog(HWND dialog);

// For message loops: true when `msg` was for a registered dialog and has been handled there.
bool RouteToModelessDialog(MSG& msg);

}  // namespace qb
