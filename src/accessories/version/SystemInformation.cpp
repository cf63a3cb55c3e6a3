#include "accessories/version/SystemInformation.h"

#include "common/FileSystem.h"

namespace qb {

namespace {

// A registered path is one file name, sometimes written in quotes or with a stray blank around
// it; neither belongs to the name (a file name cannot hold '"').
std::string BarePath(std::string_view value) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = value.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  value = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

std::optional<std::string> SystemInfoProgram(const SystemInfoRegistration& registration,
                                             const std::function<bool(const std::string&)>& fileExists) {
  if (std::string path = BarePath(registration.programPath); !path.empty()) return path;
  const std::string folder = BarePath(registration.folder);
  if (folder.empty()) return std::nullopt;
  std::string path = JoinPath(folder, kSystemInfoProgramName);
  if (!fileExists(path)) return std::nullopt;
  return path;
}

}  // namespace qb
