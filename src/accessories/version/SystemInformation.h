#pragma once
// Where the version dialog finds the operating system's system information program: the two
// places under HKEY_LOCAL_MACHINE where Windows registers it, decided in plain code.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// The program's full path.
inline constexpr std::string_view kSystemInfoKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
inline constexpr std::string_view kSystemInfoPathValue = "PATH";
// The folder that holds kSystemInfoProgramName.
inline constexpr std::string_view kSharedToolsLocationKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";
inline constexpr std::string_view kSharedToolsSystemInfoValue = "MSINFO";
inline constexpr std::string_view kSystemInfoProgramName = "MSINFO32.EXE";

// Shown when neither place names a program that can be started.
inline constexpr std::string_view kSystemInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";

// The two registry values as read; empty when the value is missing or holds no text.
struct SystemInfoRegistration {
  std::string programPath;
  std::string folder;
};

// The program to start: the registered path when there is one (a missing file there is found out
// by the start), otherwise kSystemInfoProgramName in the registered folder when that file exists.
// Blanks and quotes around a registered value are not part of the path. Nullopt: nothing found.
[[nodiscard]] std::optional<std::string> SystemInfoProgram(const SystemInfoRegistration& registration,
                                                           const std::function<bool(const std::string&)>& fileExists);

}  // namespace qb
