#pragma once
// What the first start of a fresh installation writes: the modifier (CAP) and key (KEY) of every
// configurable hotkey, as the program appends them to a settings file that has none. A file that
// already holds them is left untouched by a start.
#include <string>

namespace qb::e2e {

inline const std::string kHotkeyDefaultsIni =
    "[CAP]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n6=1\r\n7=0\r\n8=0\r\n9=0\r\n10=0\r\n"
    "[KEY]\r\n1=0\r\n2=1\r\n3=2\r\n4=3\r\n5=4\r\n6=5\r\n7=6\r\n8=7\r\n9=8\r\n10=9\r\n";

}  // namespace qb::e2e
