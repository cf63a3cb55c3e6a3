#pragma once
// Folders the program needs to know, as UTF-8. Each answers an empty text when Windows cannot tell.
#include <string>

namespace qb {

std::string ExePath();     // full path of Quorbell.exe
std::string ExeDir();      // its folder, without a trailing backslash
std::string AppDataDir();  // the user's roaming application data (%APPDATA%)
std::string WindowsDir();  // the Windows directory (C:\Windows)

}  // namespace qb
