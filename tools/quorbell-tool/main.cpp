// quorbell-tool: developer commands over the portable core. main only dispatches; each command
// lives in its own file and has one line in kCommands.
#include <iostream>
#include <string_view>

#include "Commands.h"

namespace {

struct CommandEntry {
  std::string_view name;
  std::string_view arguments;
  int (*run)(const CommandArgs&, std::ostream&, std::ostream&);
};

constexpr CommandEntry kCommands[] = {
    {"ini-get", "FILE SECTION KEY DEFAULT", RunIniGetCommand},
    {"ini-set", "FILE SECTION KEY [VALUE]", RunIniSetCommand},
    {"holidays", "FROM_YEAR TO_YEAR", RunHolidaysCommand},
    {"draw-month", "YEAR MONTH TODAY SIZE", RunDrawMonthCommand},
    {"keys", "TEXT", RunKeysCommand},
};

int Usage() {
  std::cerr << "usage: quorbell-tool COMMAND ARGUMENTS...\n";
  for (const CommandEntry& command : kCommands) {
    std::cerr << "  quorbell-tool " << command.name << ' ' << command.arguments << '\n';
  }
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view name = argv[1];
  for (const CommandEntry& command : kCommands) {
    if (command.name == name) {
      const int code = command.run(CommandArgs(argv + 2, argv + argc), std::cout, std::cerr);
      std::cout.flush();
      return code == 0 && !std::cout ? 1 : code;
    }
  }
  std::cerr << "quorbell-tool: unknown command '" << name << "'\n";
  return Usage();
}
