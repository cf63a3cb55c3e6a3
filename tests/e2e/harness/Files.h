#pragma once
// File and path helpers for the end-to-end harness. Paths are UTF-16 (they go straight to the ...W
// calls); file contents are raw bytes in a std::string.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb::e2e {

// The folder of the running test executable.
std::wstring ExeDirectory();
// The program under test: %QUORBELL_EXE% when set, else Quorbell.exe beside the test executable.
std::wstring ProgramUnderTest();
// A sibling executable of the test executable (fixtures built with it).
std::wstring SiblingExecutable(std::wstring_view fileName);

std::wstring PathJoin(std::wstring_view dir, std::wstring_view name);
std::wstring FileNameOf(std::wstring_view path);
std::wstring TempDirectory();
// The value of an environment variable, empty when unset.
std::wstring Environment(const wchar_t* name);

[[nodiscard]] bool FileExists(const std::wstring& path);
// Last write time in 100-nanosecond units, nullopt when the file is missing.
std::optional<unsigned long long> LastWriteTime(const std::wstring& path);
[[nodiscard]] bool DirectoryExists(const std::wstring& path);
// The whole file, or nullopt when it is missing or unreadable.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
[[nodiscard]] bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// Names below `dir`, relative to it, sorted; folders end in '\'.
std::vector<std::wstring> ListTree(const std::wstring& dir);
// Removes a file or a whole folder; true when nothing is left at `path`.
bool RemoveTree(const std::wstring& path);
// A new, empty, uniquely named folder under %TEMP% whose name starts with `prefix`.
std::wstring MakeUniqueTempDirectory(std::wstring_view prefix);

}  // namespace qb::e2e
