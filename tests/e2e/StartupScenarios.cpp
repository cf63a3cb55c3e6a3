// Start-up and life cycle of the resident instance: the hidden main window, ending through it, the
// single-instance rule and the `Diet` role, driven through the real program.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "HotkeyDefaults.h"
#include "harness/Harness.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr char kAlreadyRunning[] = "Quorbellは既に起動中です.";

class Startup : public Scenario {
protected:
  // Starts the folder's program and waits for its resident state; null when it never got there.
  HWND StartResident(AppFolder& folder, AppProcess& process, std::wstring_view args = L"") {
    process = AppProcess::Start(folder, args);
    EXPECT_TRUE(process) << "cannot start " << qb::Narrow(folder.ExePath());
    return process ? process.WaitUntilResident() : nullptr;
  }
};

// The windows a process showed while it ran: every visible one, every dialog and every main
// window, hidden or not (the system's own hidden helper windows are left out).
std::set<std::string> WindowsSeenUntilExit(const AppProcess& process, Millis timeout = kDefaultTimeout) {
  std::set<std::string> seen;
  WaitUntil(
      [&] {
        WindowFilter filter;
        filter.processId = process.Id();
        for (HWND hwnd : TopLevelWindows(filter)) {
          std::string cls = ClassName(hwnd);
          if (Visible(hwnd) || cls == "#32770" || cls == "Quorbell.MainWindow") seen.insert(cls);
        }
        return !process.Running();
      },
      timeout);
  return seen;
}

TEST_F(Startup, FirstStartStaysResidentWithoutVisibleWindowAndEndsWhenItsMainWindowCloses) {
  // A settings file as an installation has it after its first start: a later start writes nothing.
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=8\r\n; 設定\r\n" + kHotkeyDefaultsIni));
  ASSERT_TRUE(folder.Ready());
  const auto iniBefore = folder.IniBytes();
  const auto writtenBefore = LastWriteTime(folder.IniPath());

  AppProcess app;
  HWND main = StartResident(folder, app);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), "Quorbell");
  EXPECT_FALSE(Visible(main));
  EXPECT_EQ(GetAncestor(main, GA_ROOT), main) << "the main window must be a top-level window";
  WindowFilter visible;
  visible.processId = app.Id();
  visible.visibleOnly = true;
  EXPECT_TRUE(StaysWithoutWindow(visible)) << "a resident instance shows no window of its own";
  EXPECT_TRUE(app.Running());

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(folder.IniBytes(), iniBefore) << "the start wrote to the settings file";
  EXPECT_EQ(LastWriteTime(folder.IniPath()), writtenBefore) << "the start rewrote the settings file";
  EXPECT_EQ(folder.Files(), (std::vector<std::wstring>{L"Quorbell.exe", L"Quorbell.ini"}));
}

TEST_F(Startup, FirstStartOfAFreshInstallationWritesOnlyTheHotkeyDefaults) {
  AppFolder folder(Ini::Text("[MemDiet]\r\nSize=8\r\n"));
  AppProcess app;
  ASSERT_TRUE(StartResident(folder, app));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(folder.IniBytes(), "[MemDiet]\r\nSize=8\r\n" + kHotkeyDefaultsIni);
}

TEST_F(Startup, SecondStartWithoutArgumentsIsRefusedWithAMessageAndTheFirstIsUntouched) {
  AppFolder folder;
  AppProcess first;
  HWND main = StartResident(folder, first);
  ASSERT_TRUE(main);

  AppProcess second = AppProcess::Start(folder);
  auto box = WaitForMessageBox(second.Id());
  ASSERT_TRUE(box) << "no message box from the second start";
  EXPECT_EQ(box->text, kAlreadyRunning);
  EXPECT_EQ(box->caption, "Quorbell");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  WindowFilter secondMain;
  secondMain.processId = second.Id();
  secondMain.className = kMainWindowClass;
  EXPECT_TRUE(TopLevelWindows(secondMain).empty()) << "the refused start made a main window";

  ASSERT_TRUE(PressButton(box->hwnd, "OK"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ResidentMainWindows(), std::vector<HWND>{main}) << "the first instance's main window changed";
  EXPECT_EQ(first.CloseMainWindow(), 0u);
}

TEST_F(Startup, SecondStartWithDietRunsTheDietAndEndsWithoutAnyWindow) {
  AppFolder folder;
  AppProcess first;
  HWND main = StartResident(folder, first);
  ASSERT_TRUE(main);

  AppProcess diet = AppProcess::Start(folder, L"Diet");
  ASSERT_TRUE(diet);
  std::set<std::string> seen = WindowsSeenUntilExit(diet);
  EXPECT_EQ(diet.WaitForExit(0ms), 0u) << "the diet process did not end on its own with code 0";
  EXPECT_TRUE(seen.empty()) << "the diet process showed " << ::testing::PrintToString(seen);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ResidentMainWindows(), std::vector<HWND>{main});
  EXPECT_EQ(first.CloseMainWindow(), 0u);
}

// Only the exact, case-sensitive word selects the diet; anything else starts a second resident
// instance (whose hotkeys will simply fail to register).
class SecondResident : public Startup, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(SecondResident, StartsAlongsideTheFirst) {
  AppFolder folder;
  AppProcess first, second;
  HWND firstMain = StartResident(folder, first);
  ASSERT_TRUE(firstMain);
  HWND secondMain = StartResident(folder, second, GetParam());
  ASSERT_TRUE(secondMain) << "no second resident instance";
  EXPECT_TRUE(DialogWindows(second.Id()).empty());
  EXPECT_NE(firstMain, secondMain);
  EXPECT_EQ(ResidentMainWindows().size(), 2u);
  EXPECT_FALSE(second.WaitForExit(kQuietPeriod)) << "the second instance ended by itself";

  EXPECT_EQ(second.CloseMainWindow(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.CloseMainWindow(), 0u);
}

INSTANTIATE_TEST_SUITE_P(OtherArguments, SecondResident, ::testing::Values(L"diet", L"DIET", L"Diet Diet", L"/x"));

TEST_F(Startup, FirstStartWithDietIsANormalResidentStart) {
  AppFolder folder;
  AppProcess app;
  HWND main = StartResident(folder, app, L"Diet");
  ASSERT_TRUE(main);
  EXPECT_FALSE(Visible(main));
  EXPECT_FALSE(app.WaitForExit(kQuietPeriod)) << "a first start with Diet ended instead of staying resident";
  EXPECT_TRUE(DialogWindows(app.Id()).empty());

  // It really is the resident instance: a later plain start is refused.
  AppProcess second = AppProcess::Start(folder);
  auto box = WaitForMessageBox(second.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kAlreadyRunning);
  ASSERT_TRUE(PressButton(box->hwnd, "OK"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

// The refusal is written in Unicode, so it reads the same under a Western system code page.
class StartupInEnglish : public Startup {};

TEST_F(StartupInEnglish, SecondStartMessageIsIntactUnderAWesternCodePage) {
  ASSERT_FALSE(JapaneseCodePage()) << "run this suite under an English locale";
  AppFolder folder;
  AppProcess first;
  ASSERT_TRUE(StartResident(folder, first));
  AppProcess second = AppProcess::Start(folder);
  auto box = WaitForMessageBox(second.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kAlreadyRunning);
  ASSERT_TRUE(PressButton(box->hwnd, "OK"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(first.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
