#pragma once
// The base of every end-to-end test. The program is single-instance per user, so one instance
// surviving a test would turn every later first start into a second start: the fixture makes sure
// each test begins and ends with none running.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/AppFolder.h"
#include "harness/Process.h"

namespace qb::e2e {

class Scenario : public ::testing::Test {
protected:
  // Ends any resident instance found before the test (a failure of the test before it, reported
  // here too so the cause is visible).
  void SetUp() override;
  // Ends every process the test started that still runs; a resident instance still present after
  // the test's own objects are gone is a failure of this test.
  void TearDown() override;
};

// A scenario around one resident instance of the program.
class ResidentScenario : public Scenario {
protected:
  // Starts the folder's program; its main window once it is resident, null when it did not start
  // (a test failure).
  HWND Start(AppFolder& folder);

  AppProcess app;
};

// True when the bed plays Japanese Windows (ANSI code page 932).
bool JapaneseCodePage();

}  // namespace qb::e2e
