#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "common/FileSystem.h"
#include "platform/DebugLog.h"
#include "platform/MessagePump.h"
#include "platform/OsVersion.h"
#include "platform/Paths.h"
#include "platform/WinText.h"

namespace {

// A reader holding the file for a moment (another program reading the settings) only delays a
// write: the new content lands once the reader lets go, instead of the update being lost.
TEST(FileWrites, AReplaceWaitsForAReaderThatHoldsTheFileForAMoment) {
  qb::FileSystem& fs = qb::SystemFileSystem();
  const std::string path = qb::ExeDir() + "\\held-by-a-reader.ini";
  ASSERT_TRUE(fs.WriteFileAtomically(path, "old"));
  HANDLE reader = CreateFileW(qb::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread letGo([reader] {
    Sleep(300);
    CloseHandle(reader);
  });
  EXPECT_TRUE(fs.WriteFileAtomically(path, "new"));
  letGo.join();
  EXPECT_EQ(fs.ReadFile(path).value_or("<none>"), "new");
  (void)fs.RemoveFile(path);
}

TEST(Paths, ExePathAndDirAgree) {
  const std::string path = qb::ExePath();
  const std::string dir = qb::ExeDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(path.rfind(dir + "\\", 0), 0u);
  EXPECT_NE(path.find("quorbell-win-tests.exe"), std::string::npos) << path;
}

TEST(Paths, SystemFoldersExist) {
  for (const std::string& dir : {qb::WindowsDir(), qb::AppDataDir()}) {
    ASSERT_FALSE(dir.empty());
    const DWORD attributes = GetFileAttributesW(qb::Widen(dir).c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << dir;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << dir;
  }
}

TEST(OsVersion, AnswersAPlausibleMajorVersion) {
  const int major = qb::GetOsMajorVersion();
  EXPECT_GE(major, 5);
  EXPECT_LE(major, 10);
}

TEST(MessagePump, DispatchesWhatIsWaitingAndKeepsAQuitRequest) {
  static int calls = 0;
  calls = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
  ASSERT_NE(timer, 0u);
  Sleep(30);
  qb::PumpPendingMessages();
  KillTimer(nullptr, timer);
  EXPECT_GE(calls, 1);

  PostQuitMessage(7);
  qb::PumpPendingMessages();
  // The quit request must survive so that the main loop still ends, with its exit code.
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

class DebugLogFile : public testing::Test {
protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"quorbell-debuglog-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"QUORBELL_LOG", path_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"QUORBELL_LOG", nullptr);
    DeleteFileW(path_.c_str());
  }
  std::string Contents() const {
    std::ifstream in(path_.c_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::wstring path_;
};

TEST_F(DebugLogFile, ToleratedFailureNamesTheCallAndTheError) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(qb::Tolerate(false, "OpenSomething"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // untouched for the caller
  const std::string log = Contents();
  EXPECT_NE(log.find("OpenSomething failed: 2 "), std::string::npos) << log;
  // The system's description follows the number.
  EXPECT_GT(log.size(), log.find("failed: 2 ") + 12) << log;
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

TEST_F(DebugLogFile, SuccessWritesNothingAndLinesAppend) {
  EXPECT_TRUE(qb::Tolerate(true, "Fine"));
  EXPECT_EQ(Contents(), "");
  qb::DebugLog("first 日本語");
  qb::DebugLog("second");
  const std::string log = Contents();
  EXPECT_LT(log.find("first 日本語"), log.find("second"));
}

TEST_F(DebugLogFile, CaughtExceptionsAreNamed) {
  try {
    throw std::runtime_error("boom");
  } catch (...) {
    qb::LogCurrentException("step X");
  }
  EXPECT_NE(Contents().find("step X: exception: boom"), std::string::npos);
}

}  // namespace
