#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/ShellStart.h"
#include "platform/WinText.h"

namespace {

// The launcher shows the icon of a program named without its folder ("notepad"): the file found.
TEST(FindProgramFile, FindsACommandAsTheSystemDoesAndLeavesAnUnknownNameAsItIs) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::string found = qb::FindProgramFile("cmd");
  EXPECT_EQ(_stricmp(found.c_str(), (qb::Narrow(system) + "\\cmd.exe").c_str()), 0) << found;
  EXPECT_EQ(qb::FindProgramFile("no-such-program-anywhere"), "no-such-program-anywhere");
}

}  // namespace
