// Where the program keeps its settings: Quorbell.ini beside the program when there is one,
// otherwise %APPDATA%\Quorbell\Quorbell.ini, seeded once from a Quorbell.ini in the Windows
// directory. Each test starts with the system locations emptied and gets them back afterwards.
#include <gtest/gtest.h>

#include <string>

#include "HotkeyDefaults.h"
#include "harness/Harness.h"

namespace qb::e2e {
namespace {

class SettingsLocation : public Scenario {
protected:
  // One full resident life: start, wait for resident state, close, exit code 0.
  void RunOnce(AppFolder& folder) {
    AppProcess app = AppProcess::Start(folder);
    ASSERT_TRUE(app);
    ASSERT_TRUE(app.WaitUntilResident()) << "no resident state";
    EXPECT_EQ(app.CloseMainWindow(), 0u);
  }
};

const std::string kWindowsIniText = "[MemDiet]\r\nSize=8\r\n[Memo0]\r\nText=古い設定@@二行目\r\n";

TEST_F(SettingsLocation, PortableFileBesideTheProgramWinsAndNothingElseIsTouched) {
  SystemSettingsGuard system;
  system.WriteWindowsIni(kWindowsIniText);
  const auto windowsIni = ReadFileBytes(system.WindowsIni());
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=abc\r\n" + kHotkeyDefaultsIni));
  const auto portable = folder.IniBytes();

  RunOnce(folder);
  EXPECT_FALSE(DirectoryExists(system.AppDataFolder())) << "portable mode must not import or create user settings";
  EXPECT_EQ(ReadFileBytes(system.WindowsIni()), windowsIni);
  EXPECT_EQ(folder.IniBytes(), portable);
  EXPECT_EQ(folder.Files(), (std::vector<std::wstring>{L"Quorbell.exe", L"Quorbell.ini"}));
}

TEST_F(SettingsLocation, PortableFileWinsOverExistingUserSettings) {
  SystemSettingsGuard system;
  ASSERT_TRUE(CreateDirectoryW(system.AppDataFolder().c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(system.AppDataIni(), "[MemDiet]\r\nSize=16\r\n"));
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=4\r\n"));

  RunOnce(folder);
  EXPECT_EQ(system.AppDataIniBytes(), std::string("[MemDiet]\r\nSize=16\r\n"));
  EXPECT_EQ(folder.ReadSetting("MemDiet", "Size"), "4");
}

TEST_F(SettingsLocation, WindowsDirectoryFileIsImportedOnceAndOnlyOnce) {
  AppFolder folder(Ini::None());
  ASSERT_TRUE(folder.Ready());
  SystemSettingsGuard& system = *folder.System();
  system.WriteWindowsIni(kWindowsIniText);
  const std::string original = ReadFileBytes(system.WindowsIni()).value_or("");
  ASSERT_FALSE(original.empty());

  RunOnce(folder);
  // Copied byte for byte; the start then adds the hotkey defaults the old file lacked.
  EXPECT_EQ(system.AppDataIniBytes(), original + kHotkeyDefaultsIni)
      << "the Windows-directory file was not copied byte for byte";
  EXPECT_EQ(ReadSettingFrom(system.AppDataIni(), "Memo0", "Text"), "古い設定@@二行目");
  EXPECT_FALSE(FileExists(folder.IniPath())) << "the program created a portable settings file";

  // A changed Windows-directory file is not copied again: the user's own file stays.
  system.WriteWindowsIni("[MemDiet]\r\nSize=2\r\n");
  RunOnce(folder);
  EXPECT_EQ(system.AppDataIniBytes(), original + kHotkeyDefaultsIni);
  EXPECT_EQ(ReadFileBytes(system.WindowsIni()), std::string("[MemDiet]\r\nSize=2\r\n"));
}

TEST_F(SettingsLocation, WithNoSettingsAnywhereTheFirstStartCreatesTheUserFile) {
  AppFolder folder(Ini::None());
  ASSERT_TRUE(folder.Ready());
  SystemSettingsGuard& system = *folder.System();

  // The first write (the hotkey defaults) creates the file, in the user's folder.
  RunOnce(folder);
  EXPECT_EQ(system.AppDataIniBytes(), kHotkeyDefaultsIni);
  EXPECT_FALSE(FileExists(system.WindowsIni()));
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"Quorbell.exe"});
}

}  // namespace
}  // namespace qb::e2e
