#pragma once
// Modeless dialogs get the dialog keys (Tab between controls, Enter for the default button,
// Escape for cancel, Alt+letter for a mnemonic) only when the message loop offers each message to
// IsDialogMessage. Open dialogs are listed here and the program's message loops ask this list.
#include <windows.h>

namespace qb {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// True when `message` belonged to a listed dialog or one of its controls and that dialog has
// handled it; the loop then neither translates nor dispatches it.
[[nodiscard]] bool RouteToModelessDialog(MSG& message);

}  // namespace qb
