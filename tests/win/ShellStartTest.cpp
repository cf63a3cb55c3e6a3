#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/FileIcons.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/ShellStart.h"
#include "platform/WinText.h"

namespace {

std::string SystemFolder() {
  wchar_t system[MAX_PATH];
  return GetSystemDirectoryW(system, MAX_PATH) > 0 ? qb::Narrow(system) : std::string();
}

TEST(FirstIconOf, TakesTheIconOfAProgramAndNothingFromFilesWithout) {
  // The program carries its icon; the harness's probe, a text file and a missing file have none.
  EXPECT_TRUE(qb::FirstIconOf(qb::ExeDir() + "\\Quorbell.exe"));
  EXPECT_FALSE(qb::FirstIconOf(qb::ExeDir() + "\\quorbell-e2e-probe.exe"));
  const std::string text = qb::ExeDir() + "\\icon test 文書.txt";
  const HANDLE file = CreateFileW(qb::Widen(text).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_FALSE(qb::FirstIconOf(text));
  DeleteFileW(qb::Widen(text).c_str());
  EXPECT_FALSE(qb::FirstIconOf("C:\\no such folder\\x.exe"));
}

TEST(FindProgramFile, FindsACommandAsTheSystemDoesAndLeavesAnUnknownNameAsItIs) {
  const std::string found = qb::FindProgramFile("cmd");
  EXPECT_EQ(_stricmp(found.c_str(), (SystemFolder() + "\\cmd.exe").c_str()), 0) << found;
  EXPECT_EQ(qb::FindProgramFile("no-such-program-anywhere"), "no-such-program-anywhere");
}

TEST(OpenWithShell, StartsAProgramWithArgumentsAndReportsAFileThatIsNotThere) {
  EXPECT_TRUE(qb::OpenWithShell(SystemFolder() + "\\cmd.exe", "/c exit 0", SW_HIDE));
  // No message box of the shell's comes up to wait for a click: the call returns false.
  EXPECT_FALSE(qb::OpenWithShell("C:\\no such folder\\x.exe", "", SW_SHOWNORMAL));
}

TEST(StartProcess, HandsTheForegroundRightToAProgramItStarts) {
  EXPECT_TRUE(qb::StartProcess(SystemFolder() + "\\cmd.exe", "/c exit 0", SW_HIDE, SystemFolder(),
                               qb::Foreground::HandOver));
  EXPECT_FALSE(qb::StartProcess("C:\\no such folder\\Quorbell.exe", "Menu", SW_SHOWNORMAL, {}, qb::Foreground::HandOver));
}

}  // namespace
