#include "harness/AppFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "common/FileSystem.h"
#include "common/Text.h"
#include "harness/Process.h"
#include "platform/WinText.h"
#include "settings/Settings.h"

namespace qb::e2e {

std::optional<std::string> ToCp932(std::string_view utf8) {
  auto bytes = qb::Utf8ToCp932(utf8);
  if (!bytes) ADD_FAILURE() << "settings text has no CP932 form: " << utf8;
  return bytes;
}

std::string ReadSettingFrom(const std::wstring& iniPath, std::string_view section, std::string_view key,
                            std::string_view def) {
  qb::UseSettingsFile(qb::Narrow(iniPath), qb::SystemFileSystem());
  // Whole: a test must see a long memo as stored, not as the 4095-byte reads cut it.
  return qb::ReadWholeSetting(section, key, def);
}

AppFolder::AppFolder(Ini ini, const std::wstring& program) {
  if (ini.kind_ == Ini::Kind::None) system_ = std::make_unique<SystemSettingsGuard>();
  dir_ = MakeUniqueTempDirectory(L"qb e2e 試験-");
  if (dir_.empty()) {
    ADD_FAILURE() << "cannot create a test folder under " << qb::Narrow(TempDirectory());
    return;
  }
  exe_ = PathOf(FileNameOf(program));
  if (!CopyFileW(program.c_str(), exe_.c_str(), TRUE)) {
    ADD_FAILURE() << "cannot copy " << qb::Narrow(program) << " (error " << GetLastError() << ")";
    return;
  }
  switch (ini.kind_) {
    case Ini::Kind::None:
      break;
    case Ini::Kind::Text:
      WriteIni(ini.content_);
      break;
    case Ini::Kind::Bytes:
      WriteIniBytes(ini.content_);
      break;
  }
  ready_ = true;
}

AppFolder::~AppFolder() {
  if (dir_.empty()) return;
  if (RemoveTree(dir_)) return;
  // Something still runs from here (a test forgot a process): end what the harness started and
  // try again while Windows lets go of the files.
  EndLeftoverProcesses();
  bool removed = WaitUntil([&] { return RemoveTree(dir_); }, 5s);
  EXPECT_TRUE(removed) << "test folder left behind: " << qb::Narrow(dir_);
}

void AppFolder::WriteIni(std::string_view utf8) {
  if (auto bytes = ToCp932(utf8)) WriteIniBytes(*bytes);
}

void AppFolder::WriteIniBytes(std::string_view bytes) {
  EXPECT_TRUE(WriteFileBytes(IniPath(), bytes)) << "cannot write " << qb::Narrow(IniPath());
}

void AppFolder::RemoveIni() { EXPECT_TRUE(RemoveTree(IniPath())); }

std::string AppFolder::ReadSetting(std::string_view section, std::string_view key, std::string_view def) const {
  return ReadSettingFrom(IniPath(), section, key, def);
}

}  // namespace qb::e2e
