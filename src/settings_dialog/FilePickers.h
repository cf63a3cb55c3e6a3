#pragma once
// The file and folder pickers: the system open-file and folder-browse dialogs, modal on the
// calling (UI) thread. Paths come back as UTF-8, however long.
#include <windows.h>

#include <string>
#include <string_view>

namespace qb {

// An existing or new file name, starting in `initialDir` (empty: the system's choice). The file
// types offered are executables, or with `pictureMode` pictures (BMP, JPEG, GIF); either way a
// name typed without an extension gets ".exe". Empty when the user cancels.
std::string ShowOpenFileDialog(HWND owner, std::string_view initialDir, bool pictureMode);

// A file-system folder chosen in the folder tree; empty when the user cancels or chooses
// something that is not a folder on disk.
std::string ShowFolderDialog(HWND owner);

}  // namespace qb
