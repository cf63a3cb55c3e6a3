#pragma once
// Resources built into the program itself (res/Quorbell.rc).
#include <windows.h>

#include <string_view>

namespace qb {

// The bytes of the resource `name` of type `type` (as FindResourceW takes them) in this program;
// empty when there is none. The bytes stay valid for the life of the process.
[[nodiscard]] std::string_view ProgramResource(const wchar_t* type, const wchar_t* name);

}  // namespace qb
