#pragma once
#include <windows.h>

#include <string_view>

namespace qb {

// MessageBoxW with UTF-8 texts; answers the button pressed (IDOK ...) or 0 on failure.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);

}  // namespace qb
