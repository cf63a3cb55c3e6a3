#include "settings/SettingsLocation.h"
#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

constexpr const char* kExeDir = "C:\\Tools\\Quorbell";
constexpr const char* kAppData = "C:\\Users\\u\\AppData\\Roaming";
constexpr const char* kWinDir = "C:\\Windows";
constexpr const char* kPortable = "C:\\Tools\\Quorbell\\Quorbell.ini";
constexpr const char* kUser = "C:\\Users\\u\\AppData\\Roaming\\Quorbell\\Quorbell.ini";
constexpr const char* kLegacy = "C:\\Windows\\Quorbell.ini";

TEST(SettingsLocation, Resolves) {
  struct Case {
    const char* name;
    std::vector<const char*> existing;
    const char* appData;
    SettingsLocation expected;
  };
  const Case cases[] = {
      {"portable wins", {kPortable, kUser, kLegacy}, kAppData, {kPortable, ""}},
      {"user file", {kUser, kLegacy}, kAppData, {kUser, ""}},
      {"import from the Windows folder", {kLegacy}, kAppData, {kUser, kLegacy}},
      {"fresh installation", {}, kAppData, {kUser, ""}},
      {"no application-data folder", {kLegacy}, "", {kPortable, ""}},
  };
  for (const auto& c : cases) {
    FakeFileSystem fs;
    for (const char* file : c.existing) fs.files[file] = "x";
    const SettingsLocation got = ResolveSettingsLocation(kExeDir, c.appData, kWinDir, fs);
    EXPECT_EQ(got.path, c.expected.path) << c.name;
    EXPECT_EQ(got.importFrom, c.expected.importFrom) << c.name;
  }
  FakeFileSystem fs;
  EXPECT_EQ(ResolveSettingsLocation("/opt/q", "/home/u/.config", "", fs).path,
            "/home/u/.config/Quorbell/Quorbell.ini");
}

class SettingsSetUp : public ::testing::Test {
protected:
  void TearDown() override { UseSettingsFile("Quorbell.ini", SystemFileSystem()); }
  FakeFileSystem fs;
};

TEST_F(SettingsSetUp, CopiesTheWindowsFolderFileOnceByteForByte) {
  const std::string legacy = "[FONT]\r\nCOLOR=255\r\n; \x95\x5C\r\nodd=\x81\r\n";
  fs.files[kLegacy] = legacy;
  EXPECT_EQ(SetUpSettingsFile(kExeDir, kAppData, kWinDir, fs), kUser);
  EXPECT_TRUE(fs.directories.count("C:\\Users\\u\\AppData\\Roaming\\Quorbell"));
  EXPECT_EQ(fs.files[kUser], legacy);
  EXPECT_EQ(SettingsFilePath(), kUser);
  EXPECT_EQ(ReadSetting(keys::FontColor), "255");

  WriteSetting(keys::FontColor, "0");
  fs.files[kLegacy] = "[FONT]\r\nCOLOR=1\r\n";
  EXPECT_EQ(SetUpSettingsFile(kExeDir, kAppData, kWinDir, fs), kUser);
  EXPECT_EQ(ReadSetting(keys::FontColor), "0");  // not imported again
  EXPECT_EQ(fs.files[kLegacy], "[FONT]\r\nCOLOR=1\r\n");
}

TEST_F(SettingsSetUp, AFailedCopyLeavesTheDefaults) {
  fs.files[kLegacy] = "[FONT]\r\nCOLOR=255\r\n";
  fs.failReplace = true;
  EXPECT_EQ(SetUpSettingsFile(kExeDir, kAppData, kWinDir, fs), kUser);
  EXPECT_FALSE(fs.files.count(kUser));
  EXPECT_EQ(ReadSetting(keys::FontColor), keys::FontColor.defaultValue);
}

TEST_F(SettingsSetUp, PortableFileIsUsedInPlace) {
  fs.files[kPortable] = "[MemDiet]\r\nSec=60\r\n";
  fs.files[kLegacy] = "[MemDiet]\r\nSec=1\r\n";
  EXPECT_EQ(SetUpSettingsFile(kExeDir, kAppData, kWinDir, fs), kPortable);
  EXPECT_EQ(ReadSetting(keys::MemDietSec), "60");
  EXPECT_FALSE(fs.files.count(kUser));
  EXPECT_EQ(fs.replaceCalls, 0);
}

TEST(Paths, JoinAndParent) {
  EXPECT_EQ(JoinPath("C:\\Windows", "Quorbell.ini"), "C:\\Windows\\Quorbell.ini");
  EXPECT_EQ(JoinPath("C:\\Windows\\", "Quorbell.ini"), "C:\\Windows\\Quorbell.ini");
  EXPECT_EQ(JoinPath("C:", "Quorbell.ini"), "C:\\Quorbell.ini");
  EXPECT_EQ(JoinPath("/home/u", "q.ini"), "/home/u/q.ini");
  EXPECT_EQ(JoinPath("/", "q.ini"), "/q.ini");
  EXPECT_EQ(JoinPath("", "q.ini"), "q.ini");
  EXPECT_EQ(JoinPath("dir", "\\q.ini"), "dir/q.ini");

  EXPECT_EQ(ParentPath("C:\\Users\\u\\Quorbell.ini"), "C:\\Users\\u");
  EXPECT_EQ(ParentPath("C:\\Quorbell.ini"), "C:\\");
  EXPECT_EQ(ParentPath("C:Quorbell.ini"), "C:");
  EXPECT_EQ(ParentPath("/home/u/q.ini"), "/home/u");
  EXPECT_EQ(ParentPath("/q.ini"), "/");
  EXPECT_EQ(ParentPath("a//b//"), "a");
  EXPECT_EQ(ParentPath("q.ini"), "");
  EXPECT_EQ(ParentPath("\\\\server\\share\\q.ini"), "\\\\server\\share");
}

}  // namespace
}  // namespace qb::test
