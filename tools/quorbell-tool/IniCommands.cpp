// ini-get and ini-set: ReadSetting and WriteSetting on the file given, used as given.
#include <optional>

#include "Commands.h"
#include "common/FileSystem.h"
#include "settings/Settings.h"

int RunIniGetCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 4) {
    err << "usage: quorbell-tool ini-get FILE SECTION KEY DEFAULT\n";
    return kUsageError;
  }
  qb::UseSettingsFile(args[0], qb::SystemFileSystem());
  out << qb::ReadSetting(args[1], args[2], args[3]) << '\n';
  return 0;
}

int RunIniSetCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 3 && args.size() != 4) {
    err << "usage: quorbell-tool ini-set FILE SECTION KEY [VALUE]\n";
    return kUsageError;
  }
  qb::UseSettingsFile(args[0], qb::SystemFileSystem());
  const auto value = args.size() == 4 ? std::optional<std::string_view>(args[3]) : std::nullopt;
  qb::WriteSetting(args[1], args[2], value);
  return 0;
}
