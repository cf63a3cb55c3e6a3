#include "harness/Scenario.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "harness/Process.h"

namespace qb::e2e {

void Scenario::SetUp() {
  size_t strays = KillResidentInstances();
  EXPECT_EQ(strays, 0u) << "a resident instance from an earlier test was still running; it was ended";
  EndLeftoverProcesses();
}

void Scenario::TearDown() {
  size_t strays = ResidentMainWindows().size();
  EXPECT_EQ(strays, 0u) << "the test left a resident instance running";
  std::vector<DWORD> ended = EndLeftoverProcesses();
  if (!ended.empty()) {
    std::string ids;
    for (DWORD id : ended) ids += " " + std::to_string(id);
    std::printf("note: ended processes still running after the test:%s\n", ids.c_str());
  }
  KillResidentInstances();
}

bool JapaneseCodePage() { return GetACP() == 932; }

HWND ResidentScenario::Start(AppFolder& folder) {
  app = AppProcess::Start(folder);
  EXPECT_TRUE(app) << "cannot start the program of the test folder";
  return app ? app.WaitUntilResident() : nullptr;
}

}  // namespace qb::e2e
