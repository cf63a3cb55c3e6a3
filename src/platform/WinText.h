#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary. Inside the program text is UTF-8; these two are the only
// places where it becomes wchar_t and back.
#include <string>
#include <string_view>

namespace qb {

// Malformed UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace qb
