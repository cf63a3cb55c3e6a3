#pragma once
// Modeless dialogs get the dialog keys (Tab between controls, Enter for the default button,
// Escape for cancel, Alt+letter for a mnemonic) only when the message loop offers each message to
// IsDialogMessage. Open dialogs are listed here and the program's message loops ask this list.
// A dialog may look at its key messages first (keys of its own, such as a tabbed dialog's
// Ctrl+Tab).
#include <windows.h>

#include <functional>

namespace qb {

// Answers true when it has handled the key message itself; the loop then does nothing more with it.
using DialogKeyPreview = std::function<bool(const MSG& message)>;

void AddModelessDialog(HWND dialog, DialogKeyPreview preview = {});
void RemoveModelessDialog(HWND dialog);

// True when `message` belonged to a listed dialog or one of its controls and that dialog has
// handled it; the loop then neither translates nor dispatches it.
[[nodiscard]] bool RouteToModelessDialog(MSG& message);

}  // namespace qb
