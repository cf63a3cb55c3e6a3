#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/ProcessRole.h"
#include "platform/Process.h"
#include "platform/WinText.h"

namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* p) const { LocalFree(p); }
};

TEST(BuildCommandLine, QuotesTheProgramSoBlanksCannotSplitIt) {
  const struct {
    const wchar_t* program;
    const wchar_t* args;
    const wchar_t* line;
  } cases[] = {
      {L"C:\\Q\\Quorbell.exe", L"Diet", L"\"C:\\Q\\Quorbell.exe\" Diet"},
      {L"C:\\Program Files\\Quorbell\\Quorbell.exe", L"Menu", L"\"C:\\Program Files\\Quorbell\\Quorbell.exe\" Menu"},
      {L"C:\\Q\\Quorbell.exe", L"", L"\"C:\\Q\\Quorbell.exe\""},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::BuildCommandLine(c.program, c.args), c.line);
}

TEST(BuildCommandLine, WindowsSplitsItBackIntoProgramAndArguments) {
  for (const wchar_t* program : {L"C:\\Program Files\\Quorbell\\Quorbell.exe", L"C:\\a b\\c d\\", L"D:\\ﾃﾞｽｸ\\Q.exe"}) {
    const std::wstring line = qb::BuildCommandLine(program, L"Diet");
    int argc = 0;
    std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(CommandLineToArgvW(line.c_str(), &argc));
    ASSERT_TRUE(argv);
    ASSERT_EQ(argc, 2) << qb::Narrow(line);
    EXPECT_EQ(std::wstring(argv.get()[0]), program);
    EXPECT_EQ(std::wstring(argv.get()[1]), L"Diet");
    // The helper process finds its role word the same way.
    EXPECT_EQ(qb::CommandLineTail(qb::Narrow(line)), "Diet");
  }
}

TEST(StartProcess, ReportsAProgramThatCannotStart) {
  EXPECT_FALSE(qb::StartProcess("C:\\no such folder\\Quorbell.exe", "Diet", SW_SHOWMINIMIZED));
}

TEST(StartProcess, StartsWithoutWaiting) {
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::string cmd = qb::Narrow(system) + "\\cmd.exe";
  EXPECT_TRUE(qb::StartProcess(cmd, "/c exit 0", SW_HIDE, qb::Narrow(system)));
}

}  // namespace
