#pragma once
// The name every window and message box of the program shows as its caption.
#include <string_view>

namespace qb {

inline constexpr std::string_view kAppTitle = "Quorbell";

}  // namespace qb
