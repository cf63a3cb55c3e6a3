#include "settings/SettingsLocation.h"

#include "settings/Settings.h"

namespace qb {
namespace {

constexpr const char* kFileName = "Quorbell.ini";
constexpr const char* kFolderName = "Quorbell";

}  // namespace

SettingsLocation ResolveSettingsLocation(const std::string& exeDir, const std::string& appDataDir,
                                         const std::string& windowsDir, const FileSystem& fs) {
  const std::string portable = JoinPath(exeDir, kFileName);
  if (fs.FileExists(portable) || appDataDir.empty()) return {portable, {}};
  SettingsLocation location{JoinPath(JoinPath(appDataDir, kFolderName), kFileName), {}};
  if (!windowsDir.empty() && !fs.FileExists(location.path)) {
    const std::string legacy = JoinPath(windowsDir, kFileName);
    if (fs.FileExists(legacy)) location.importFrom = legacy;
  }
  return location;
}

std::string SetUpSettingsFile(const std::string& exeDir, const std::string& appDataDir,
                              const std::string& windowsDir, FileSystem& fs) {
  const SettingsLocation location = ResolveSettingsLocation(exeDir, appDataDir, windowsDir, fs);
  if (!location.importFrom.empty()) {
    const std::string dir = ParentPath(location.path);
    const bool haveDir = dir.empty() || fs.DirectoryExists(dir) || fs.CreateDirectories(dir);
    if (haveDir) {
      if (const auto bytes = fs.ReadFile(location.importFrom)) {
        // A failed copy is tried again at the next start; until then the defaults apply.
        (void)fs.WriteFileAtomically(location.path, *bytes);
      }
    }
  }
  UseSettingsFile(location.path, fs);
  return location.path;
}

}  // namespace qb
