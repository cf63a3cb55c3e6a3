#include "harness/SystemSettings.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "harness/AppFolder.h"
#include "harness/Files.h"
#include "platform/WinText.h"

namespace qb::e2e {

namespace {

int g_depth = 0;

// Moves `path` to a unique name beside it; answers that name, or empty when there was nothing.
std::wstring MoveAside(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  std::wstring saved = path + L".e2e-saved-" + std::to_wstring(GetCurrentProcessId());
  RemoveTree(saved);
  if (!MoveFileExW(path.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ADD_FAILURE() << "cannot move " << qb::Narrow(path) << " aside (error " << GetLastError() << ")";
    return {};
  }
  return saved;
}

void PutBack(const std::wstring& saved, const std::wstring& path) {
  EXPECT_TRUE(RemoveTree(path)) << "cannot remove what the test left at " << qb::Narrow(path);
  if (saved.empty()) return;
  EXPECT_TRUE(MoveFileExW(saved.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
      << "cannot restore " << qb::Narrow(path) << " from " << qb::Narrow(saved);
}

}  // namespace

std::wstring RoamingAppDataDirectory() {
  PWSTR path = nullptr;
  std::wstring dir;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) dir = path;
  CoTaskMemFree(path);
  return dir;
}

std::wstring WindowsDirectory() {
  wchar_t buf[MAX_PATH];
  UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
  return std::wstring(buf, n < MAX_PATH ? n : 0);
}

SystemSettingsGuard::SystemSettingsGuard() {
  if (g_depth++ > 0) return;
  owner_ = true;
  savedAppData_ = MoveAside(AppDataFolder());
  savedWindowsIni_ = MoveAside(WindowsIni());
}

SystemSettingsGuard::~SystemSettingsGuard() {
  --g_depth;
  if (!owner_) return;
  PutBack(savedAppData_, AppDataFolder());
  PutBack(savedWindowsIni_, WindowsIni());
}

std::wstring SystemSettingsGuard::AppDataFolder() const { return PathJoin(RoamingAppDataDirectory(), L"Quorbell"); }
std::wstring SystemSettingsGuard::AppDataIni() const { return PathJoin(AppDataFolder(), kIniName); }
std::wstring SystemSettingsGuard::WindowsIni() const { return PathJoin(WindowsDirectory(), kIniName); }

void SystemSettingsGuard::WriteWindowsIni(std::string_view utf8) {
  if (auto bytes = ToCp932(utf8)) WriteWindowsIniBytes(*bytes);
}

void SystemSettingsGuard::WriteWindowsIniBytes(std::string_view bytes) {
  EXPECT_TRUE(WriteFileBytes(WindowsIni(), bytes)) << "cannot write " << qb::Narrow(WindowsIni());
}

std::optional<std::string> SystemSettingsGuard::AppDataIniBytes() const { return ReadFileBytes(AppDataIni()); }

}  // namespace qb::e2e
