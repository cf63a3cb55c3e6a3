#pragma once
// The settings locations outside a test's folder: %APPDATA%\Quorbell (used when no Quorbell.ini
// lies next to the program) and Quorbell.ini in the Windows directory (imported from once).
// A guard moves whatever is there aside, so the test starts from nothing, and on destruction
// removes what the test left and puts the originals back. Guards nest: only the outermost one
// saves and restores.
#include <optional>
#include <string>
#include <string_view>

namespace qb::e2e {

class SystemSettingsGuard {
public:
  SystemSettingsGuard();
  ~SystemSettingsGuard();
  SystemSettingsGuard(const SystemSettingsGuard&) = delete;
  SystemSettingsGuard& operator=(const SystemSettingsGuard&) = delete;

  // %APPDATA%\Quorbell and the settings file in it.
  std::wstring AppDataFolder() const;
  std::wstring AppDataIni() const;
  // Quorbell.ini in the Windows directory.
  std::wstring WindowsIni() const;

  // The Windows-directory file: UTF-8 text stored as CP932, or exact bytes.
  void WriteWindowsIni(std::string_view utf8);
  void WriteWindowsIniBytes(std::string_view bytes);
  std::optional<std::string> AppDataIniBytes() const;

private:
  bool owner_ = false;
  std::wstring savedAppData_;    // where the original folder was moved, empty when there was none
  std::wstring savedWindowsIni_;  // likewise for the Windows-directory file
};

std::wstring RoamingAppDataDirectory();
std::wstring WindowsDirectory();

}  // namespace qb::e2e
