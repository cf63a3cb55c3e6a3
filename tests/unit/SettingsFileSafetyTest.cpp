#include <dirent.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

class SettingsFileSafety : public SettingsFileTest {};

TEST_F(SettingsFileSafety, AFailedWriteLeavesTheOldFileWhole) {
  Given("[A]\r\nx=1\r\n");
  fs.failReplace = true;
  WriteSetting("A", "x", "2");
  WriteSetting("B", "y", "3");
  WriteSetting("A", "x", std::nullopt);
  EXPECT_EQ(File(), "[A]\r\nx=1\r\n");
  EXPECT_EQ(ReadSetting("A", "x", ""), "1");
}

TEST_F(SettingsFileSafety, AFileThatCannotBeReadIsNotOverwritten) {
  Given("[A]\r\nx=1\r\nmany=more\r\n");
  fs.unreadable.insert(kPath);
  WriteSetting("A", "x", "2");
  EXPECT_EQ(fs.replaceCalls, 0);
  fs.unreadable.clear();
  EXPECT_EQ(File(), "[A]\r\nx=1\r\nmany=more\r\n");
}

TEST_F(SettingsFileSafety, TheFirstWriteCreatesTheFolder) {
  UseSettingsFile("user/Quorbell/Quorbell.ini", fs);
  WriteSetting("A", "x", "1");
  EXPECT_TRUE(fs.directories.count("user/Quorbell"));
  EXPECT_EQ(fs.files["user/Quorbell/Quorbell.ini"], "[A]\r\nx=1\r\n");
}

std::vector<std::string> FolderEntries(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class PosixSettingsFile : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorbell-settings-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir = pattern;
    path = dir + "/Quorbell.ini";
    UseSettingsFile(path, SystemFileSystem());
  }
  void TearDown() override {
    for (const auto& name : FolderEntries(dir)) {
      const std::string full = dir + "/" + name;
      if (::unlink(full.c_str()) != 0) ::rmdir(full.c_str());
    }
    ::rmdir(dir.c_str());
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
  }
  std::string dir;
  std::string path;
};

TEST_F(PosixSettingsFile, WritesLeaveNoTemporaryFileAndKeepPermissions) {
  WriteSetting("A", "x", "1");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  for (int i = 0; i < 20; ++i) WriteSetting("A", "k" + std::to_string(i), std::to_string(i));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"Quorbell.ini"});
  EXPECT_EQ(ReadSetting("A", "k19", ""), "19");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(PosixSettingsFile, AFailedRenameRemovesTheTemporaryFile) {
  // A folder in the file's place: the rename over it fails after the temporary file is written.
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  EXPECT_FALSE(SystemFileSystem().WriteFileAtomically(path, "[A]\r\nx=1\r\n"));
  WriteSetting("A", "x", "1");
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"Quorbell.ini"});
}

// A write killed between creating its temporary file and the rename leaves that file behind; the
// next write removes such leftovers once they are old enough not to be another process's write
// under way, and leaves every other file alone.
TEST_F(PosixSettingsFile, TheNextWriteRemovesOldLeftoverTemporaryFiles) {
  const auto make = [&](const std::string& name, int ageSeconds) {
    std::ofstream(dir + "/" + name) << "half";
    const struct timeval times[2] = {{::time(nullptr) - ageSeconds, 0}, {::time(nullptr) - ageSeconds, 0}};
    ASSERT_EQ(::utimes((dir + "/" + name).c_str(), times), 0);
  };
  make("Quorbell.ini.tmp4242-1", 3600);
  make("Quorbell.ini.tmp4242-2", 120);
  make("Quorbell.ini.tmp777-9", 5);        // young: perhaps another process writing now
  make("Quorbell.ini.tmp4242-3.bak", 3600);  // not a name the writer makes
  make("Other.ini.tmp4242-1", 3600);         // another file's
  WriteSetting("A", "x", "1");
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"Other.ini.tmp4242-1", "Quorbell.ini",
                                                         "Quorbell.ini.tmp4242-3.bak", "Quorbell.ini.tmp777-9"}));
  EXPECT_EQ(ReadSetting("A", "x", ""), "1");
}

TEST(TemporaryFileName, FitsTheFileNameLimitAndIsStablePerName) {
  EXPECT_EQ(TemporaryFileName("Quorbell.ini", 4242, 7), "Quorbell.ini.tmp4242-7");
  const std::string longName = std::string(247, 'a') + ".txt";  // a 251-character note title
  const std::string temp = TemporaryFileName(longName, 4294967295u, 4294967295u);
  EXPECT_LE(temp.size(), 255u) << temp;
  EXPECT_EQ(temp.rfind("~qb", 0), 0u) << temp;
  EXPECT_EQ(TemporaryFileName(longName, 1, 1).substr(0, 19), temp.substr(0, 19));
  EXPECT_NE(TemporaryFileName(std::string(246, 'a') + "b.txt", 1, 1).substr(0, 19), temp.substr(0, 19));
}

TEST_F(PosixSettingsFile, SeesEditsOfOtherPrograms) {
  WriteSetting("A", "x", "1");
  std::ofstream(path, std::ios::binary) << "[A]\nx=edited\n";
  EXPECT_EQ(ReadSetting("A", "x", ""), "edited");
  WriteSetting("A", "y", "2");
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "[A]\nx=edited\ny=2\n");
}

}  // namespace
}  // namespace qb::test
