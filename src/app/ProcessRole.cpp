#include "app/ProcessRole.h"

#include "common/Text.h"

namespace qb {

std::string_view CommandLineTail(std::string_view commandLine) {
  std::string_view s = commandLine;
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  size_t end = 0;
  if (!s.empty() && s.front() == '"') {
    const size_t close = s.find('"', 1);
    end = close == std::string_view::npos ? s.size() : close + 1;
  } else {
    while (end < s.size() && !IsBlank(s[end])) ++end;
  }
  return TrimBlanks(s.substr(end));
}

ProcessRole DecideProcessRole(bool anotherInstanceRunning, std::string_view arguments) {
  if (!anotherInstanceRunning) return ProcessRole::Resident;
  const std::string_view args = TrimBlanks(arguments);
  if (args.empty()) return ProcessRole::AlreadyRunning;
  if (args == "Diet") return ProcessRole::Diet;
  if (args == "Menu") return ProcessRole::Menu;
  return ProcessRole::Resident;
}

std::string InstanceMutexName(std::string_view userIdentity) {
  std::string name = "Local\\Quorbell.Instance.";
  for (char c : userIdentity) name += c == '\\' ? '_' : c;
  return name;
}

}  // namespace qb
