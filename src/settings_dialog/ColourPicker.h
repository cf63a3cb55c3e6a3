#pragma once
// The colour picker: the system colour dialog, modal on the calling (UI) thread.
#include <windows.h>

#include "common/Canvas.h"

namespace qb {

// Shows the basic colour dialog starting at `current`. The chosen colour, or -1 when the user
// cancels or the dialog cannot be shown. Custom colours start white at every call; nothing the
// user defines there is kept.
Colour ShowColorDialog(HWND owner, Colour current);

}  // namespace qb
