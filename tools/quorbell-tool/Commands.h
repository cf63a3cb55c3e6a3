#pragma once
// The commands of quorbell-tool, one file each. A command gets the arguments after its name
// (UTF-8), writes its output to `out` and messages to `err`, and returns the exit code:
// kUsageError after printing its usage line to `err`.
#include <ostream>
#include <string>
#include <vector>

constexpr int kUsageError = 2;

using CommandArgs = std::vector<std::string>;

// ini-get FILE SECTION KEY DEFAULT
int RunIniGetCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
// ini-set FILE SECTION KEY [VALUE]
int RunIniSetCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
// holidays FROM_YEAR TO_YEAR
int RunHolidaysCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
// draw-month YEAR MONTH TODAY SIZE
int RunDrawMonthCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
// keys TEXT
int RunKeysCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
