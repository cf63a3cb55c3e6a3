#include <gtest/gtest.h>

#include <string>

#include "accessories/launcher/LauncherEntry.h"
#include "unit/FakeFileSystem.h"
#include "unit/SettingsTestSupport.h"

namespace {

using qb::LaunchTarget;
using Kind = LaunchTarget::Kind;

// A disk where "C:\Program" and "C:\Program.exe" exist beside "C:\Program Files\App\app.exe", the
// trap of unquoted paths with blanks.
qb::test::FakeFileSystem Disk() {
  qb::test::FakeFileSystem fs;
  for (const char* file : {"C:\\Program", "C:\\Program.exe", "C:\\Program Files\\App\\app.exe",
                           "C:\\Program Files\\App\\app", "D:\\ドキュメント\\日記 2024.txt", "C:\\Tools\\run.exe",
                           "C:\\Tools\\run"})
    fs.files[file] = "";
  for (const char* dir : {"C:\\Program Files", "C:\\Program Files\\App", "D:\\写真 フォルダ"}) fs.directories.insert(dir);
  return fs;
}

TEST(ResolveLaunchTarget, AnExistingFileOrFolderIsOpenedByItsWholeName) {
  const auto fs = Disk();
  const struct {
    const char* entry;
    const char* file;
  } cases[] = {
      {"C:\\Program Files\\App\\app.exe", "C:\\Program Files\\App\\app.exe"},
      {"  C:\\Program Files\\App\\app.exe\t", "C:\\Program Files\\App\\app.exe"},
      {"D:\\ドキュメント\\日記 2024.txt", "D:\\ドキュメント\\日記 2024.txt"},
      {"D:\\写真 フォルダ", "D:\\写真 フォルダ"},
      {"C:\\Program", "C:\\Program"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::ResolveLaunchTarget(c.entry, fs), (LaunchTarget{Kind::File, c.file, ""})) << c.entry;
}

TEST(ResolveLaunchTarget, OtherEntriesAreAProgramFollowedByArguments) {
  const auto fs = Disk();
  const struct {
    const char* entry;
    const char* program;
    const char* arguments;
  } cases[] = {
      // Quoted: the quotes say where the program ends, whatever exists.
      {"\"C:\\Program Files\\App\\app.exe\" -x \"a b\"", "C:\\Program Files\\App\\app.exe", "-x \"a b\""},
      {"\"C:\\Program Files\\App\\app.exe\"-x", "C:\\Program Files\\App\\app.exe", "-x"},
      {"\"C:\\Missing Folder\\x.exe\" /s", "C:\\Missing Folder\\x.exe", "/s"},
      {"\"C:\\Program Files\\App\\app.exe", "C:\\Program Files\\App\\app.exe", ""},  // no closing quote
      // Unquoted with blanks: the longest words naming a file, never the shorter C:\Program.
      {"C:\\Program Files\\App\\app.exe -x", "C:\\Program Files\\App\\app.exe", "-x"},
      {"C:\\Program Files\\App\\app.exe  D:\\写真 フォルダ\\a.jpg", "C:\\Program Files\\App\\app.exe", "D:\\写真 フォルダ\\a.jpg"},
      {"C:\\Program Files\\App\\app -x", "C:\\Program Files\\App\\app", "-x"},
      {"C:\\Tools\\run.exe C:\\Program Files\\App\\app.exe", "C:\\Tools\\run.exe", "C:\\Program Files\\App\\app.exe"},
      // Nothing names a file: the first word, for the system to find.
      {"notepad D:\\メモ 1.txt", "notepad", "D:\\メモ 1.txt"},
      {"notepad\tfile.txt", "notepad", "file.txt"},
      {"calc", "calc", ""},
      {"C:\\Missing Folder\\x.exe /s", "C:\\Missing", "Folder\\x.exe /s"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qb::ResolveLaunchTarget(c.entry, fs), (LaunchTarget{Kind::Command, c.program, c.arguments})) << c.entry;
}

TEST(ResolveLaunchTarget, BlankAndEmptyEntriesStartNothing) {
  const auto fs = Disk();
  for (const char* entry : {"", "   ", "\t", "\"\"", "\"\" -x", "\"   "})
    EXPECT_EQ(qb::ResolveLaunchTarget(entry, fs), LaunchTarget{}) << "[" << entry << "]";
}

class LauncherSettings : public qb::test::SettingsFileTest {};

TEST_F(LauncherSettings, RowIShowsEntryIPlusOneAndAnyVisibilityValueLeavesTheCommandLineAsItIs) {
  Given(
      "[APPPATH]\r\n1=C:\\Program Files\\App\\app.exe\r\n16=\"C:\\a b\\c.exe\" -x\r\n3=notepad\r\n"
      "[APPNAME]\r\n1=\x83\x65\x83\x58\x83\x67\r\n16=last\r\n2=no path\r\n"
      "[APPVIS]\r\n1=abc\r\n3=99999\r\n16=-1\r\n");
  const std::string before = File();
  const qb::LauncherEntry first = qb::ReadLauncherEntry(0);
  EXPECT_EQ(first.commandLine, "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(first.name, "テスト");
  EXPECT_EQ(qb::ReadLauncherEntry(15).commandLine, "\"C:\\a b\\c.exe\" -x");
  EXPECT_EQ(qb::ReadLauncherEntry(15).name, "last");
  EXPECT_EQ(qb::ReadLauncherEntry(1).commandLine, "");  // a name without a path: a blank row
  // "abc", a number far above 255 and a negative one: the start goes on with the command line.
  EXPECT_EQ(qb::ReadCommandLineForStart(0), "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(qb::ReadCommandLineForStart(2), "notepad");
  EXPECT_EQ(qb::ReadCommandLineForStart(15), "\"C:\\a b\\c.exe\" -x");
  EXPECT_EQ(qb::ReadCommandLineForStart(4), "");
  EXPECT_EQ(File(), before) << "reading changed the file";
}

}  // namespace
