#include "accessories/launcher/LauncherEntry.h"

#include "common/Text.h"
#include "settings/Settings.h"

namespace qb {

namespace {

LaunchTarget Command(std::string_view program, std::string_view arguments) {
  if (program.empty()) return {};
  return {LaunchTarget::Kind::Command, std::string(program), std::string(TrimBlanks(arguments))};
}

}  // namespace

LauncherEntry ReadLauncherEntry(int row) {
  const int k = row + 1;
  return {ReadSetting(keys::AppPath(k)), ReadSetting(keys::AppName(k))};
}

std::string ReadCommandLineForStart(int row) {
  const int k = row + 1;
  (void)ReadSetting(keys::AppVis(k));
  return ReadSetting(keys::AppPath(k));
}

LaunchTarget ResolveLaunchTarget(std::string_view commandLine, const FileSystem& fs) {
  const std::string_view text = TrimBlanks(commandLine);
  if (text.empty()) return {};

  if (text.front() == '"') {
    const size_t close = text.find('"', 1);
    if (close == std::string_view::npos) return Command(TrimBlanks(text.substr(1)), {});
    return Command(text.substr(1, close - 1), text.substr(close + 1));
  }

  const std::string whole(text);
  if (fs.FileExists(whole) || fs.DirectoryExists(whole)) return {LaunchTarget::Kind::File, whole, {}};

  // Words end before a blank that follows a non-blank; the longest run naming a file wins.
  for (size_t end = text.size(); end-- > 1;) {
    if (!IsBlank(text[end]) || IsBlank(text[end - 1])) continue;
    const std::string program(text.substr(0, end));
    if (fs.FileExists(program)) return Command(program, text.substr(end));
  }
  size_t firstBlank = 0;
  while (firstBlank < text.size() && !IsBlank(text[firstBlank])) ++firstBlank;
  return Command(text.substr(0, firstBlank), text.substr(firstBlank));
}

}  // namespace qb
