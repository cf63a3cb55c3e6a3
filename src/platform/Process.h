#pragma once
// Starting other programs (and this one again with an argument) without waiting for them.
#include <string>
#include <string_view>

namespace qb {

// The program path in quotes, then the arguments: a path with blanks ("C:\Program Files\...")
// must never be read as a shorter program name followed by arguments.
std::wstring BuildCommandLine(std::wstring_view programPath, std::wstring_view arguments);

// Whether a started program may bring its window to the front. Windows lets only the program the
// user is working with do that; one that started a window the user asked for hands the right on.
enum class Foreground { Keep, HandOver };

// CreateProcessW with the given show command (SW_...) and working directory (empty: inherit).
// Does not wait; the process and thread handles are closed at once. False when it did not start.
[[nodiscard]] bool StartProcess(const std::string& programPath, std::string_view arguments, int showCommand,
                                const std::string& workingDirectory = {}, Foreground foreground = Foreground::Keep);

}  // namespace qb
