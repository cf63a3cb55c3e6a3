#pragma once
// Where Quorbell.ini lives. A Quorbell.ini next to Quorbell.exe means portable use (and is how
// tests isolate themselves); otherwise each user has %APPDATA%\Quorbell\Quorbell.ini, which
// Windows lets the user write. A Quorbell.ini left in the Windows directory by earlier versions
// is copied to the user's folder once, when the user has none yet, so no setting is lost.
#include <string>

#include "common/FileSystem.h"

namespace qb {

struct SettingsLocation {
  std::string path;
  std::string importFrom;  // the file to copy to `path` first; empty when there is none
};

// Decides without changing anything. Without an application-data folder the program's own folder
// is used.
SettingsLocation ResolveSettingsLocation(const std::string& exeDir, const std::string& appDataDir,
                                         const std::string& windowsDir, const FileSystem& fs);

// Resolves, makes the user's folder and copies the Windows-directory file into place when due,
// points ReadSetting and WriteSetting at the result and returns its path.
std::string SetUpSettingsFile(const std::string& exeDir, const std::string& appDataDir,
                              const std::string& windowsDir, FileSystem& fs);

}  // namespace qb
