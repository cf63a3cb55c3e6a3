#pragma once
// The common controls' own functions (subclassing, class registration), taken from the library the
// first time a window needs them rather than imported: a start without memos or dialogs then does
// not load and initialise the common controls at all. The controls themselves (edit boxes,
// buttons) need nothing from here: the system loads the library for them through the program's
// manifest, which also makes the name below resolve to its version 6.
#include <windows.h>
#include <commctrl.h>

namespace qb {

// InitCommonControlsEx for the classes in `classes` (ICC_...); false when it failed (logged).
bool RegisterCommonControlClasses(DWORD classes);

// SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc.
bool SubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
bool RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefaultSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qb
