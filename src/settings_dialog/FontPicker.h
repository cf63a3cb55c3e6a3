#pragma once
// The font picker: the system font dialog with effects (colour, strikeout, underline), screen
// fonts of 8 to 24 points, modal on the calling (UI) thread.
#include <windows.h>

#include "settings_dialog/FontChoice.h"

namespace qb {

// Starts the dialog at `font`. 0 when the user confirms (every member of `font` is replaced by the
// dialog's choice); 1 when the user cancels or the dialog cannot be shown (`font` is unchanged).
int ShowFontDialog(HWND owner, FontChoice& font);

}  // namespace qb
