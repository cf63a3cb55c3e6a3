// Day notes on the Windows file functions: Japanese file names, the current directory as the
// default folder, and device names that must never be opened.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/DayNotes.h"
#include "common/FileSystem.h"

namespace qb {
namespace {

class DayNotesWin : public testing::Test {
protected:
  std::wstring dir;
  std::wstring previous;

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    dir = std::wstring(temp) + L"qb-daynotes-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    wchar_t cwd[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, cwd), 0u);
    previous = cwd;
    ASSERT_TRUE(::SetCurrentDirectoryW(dir.c_str()));
    UseDayNoteFolder("", SystemFileSystem());
  }

  void TearDown() override {
    ::SetCurrentDirectoryW(previous.c_str());
    WIN32_FIND_DATAW found;
    const std::wstring pattern = dir + L"\\dic\\*";
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        ::DeleteFileW((dir + L"\\dic\\" + found.cFileName).c_str());
      } while (::FindNextFileW(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryW((dir + L"\\dic").c_str());
    ::RemoveDirectoryW(dir.c_str());
  }

  static std::string Bytes(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    char buffer[4096];
    DWORD read = 0;
    std::string bytes;
    if (::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) bytes.assign(buffer, read);
    ::CloseHandle(file);
    return bytes;
  }

  static int FilesInDic() {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(L"dic\\*", &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return count;
  }
};

TEST_F(DayNotesWin, StoresUnderTheJapaneseTitleInTheCurrentDirectory) {
  EXPECT_EQ(WriteDayNote("2005年1月1日", "元旦@@初詣"), 0);
  EXPECT_EQ(Bytes(L"dic\\2005年1月1日.txt"), "\x8C\xB3\x92\x55@@\x8F\x89\x8C\x77\r\n");
  std::string text;
  EXPECT_EQ(ReadDayNote("2005年1月1日", text), 0);
  EXPECT_EQ(text, "元旦@@初詣");
  // On Japanese Windows the code-page name of the file is the same file.
  if (::GetACP() == 932) {
    EXPECT_NE(::GetFileAttributesA("dic\\2005\x94\x4E" "1\x8C\x8E" "1\x93\xFA.txt"),
              INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(DayNotesWin, EmojiNoteRoundTripsAndReplacesTheOldFile) {
  EXPECT_EQ(WriteDayNote("2004年8月16日", "old"), 0);
  EXPECT_EQ(WriteDayNote("2004年8月16日", "花火🎆@@浴衣"), 0);
  EXPECT_EQ(Bytes(L"dic\\2004年8月16日.txt"), "\xEF\xBB\xBF花火🎆@@浴衣\r\n");
  std::string text;
  EXPECT_EQ(ReadDayNote("2004年8月16日", text), 0);
  EXPECT_EQ(text, "花火🎆@@浴衣");
  EXPECT_EQ(FilesInDic(), 1);  // no temporary file left behind
}

// The Windows file functions behind the month's listing, the longest title and the leftovers of
// killed writes: a listing by prefix that ignores names only alike in their short 8.3 form, a
// 251-character title saved through a short temporary name, and old leftovers removed by the next
// write while young ones (perhaps another process's write under way) stay.
TEST_F(DayNotesWin, ListingLongestTitleAndLeftoversOnWindowsFiles) {
  EXPECT_EQ(WriteDayNote("2026年1月5日", "a"), 0);
  EXPECT_EQ(WriteDayNote("2026年10月5日", "b"), 0);
  const auto listed = SystemFileSystem().ListDirectory("dic", "2026年1月");
  ASSERT_TRUE(listed);
  std::vector<std::string> names;
  for (const DirectoryEntry& e : *listed) names.push_back(e.name);
  EXPECT_EQ(names, std::vector<std::string>{"2026年1月5日.txt"});
  const auto missing = SystemFileSystem().ListDirectory("no-such-folder", "x");
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->empty());

  const std::string longest(251, 'n');
  EXPECT_TRUE(SaveDayNote(longest, "long"));
  std::string text;
  EXPECT_EQ(ReadDayNote(longest, text), 0);
  EXPECT_EQ(text, "long");

  const auto leftover = [](const wchar_t* name, int ageSeconds) {
    const std::wstring path = std::wstring(L"dic\\") + name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(ageSeconds) * 10000000ull;
    const FILETIME then{t.LowPart, t.HighPart};
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &then));
    ::CloseHandle(file);
  };
  leftover(L"2026年1月5日.txt.tmp99-1", 600);
  leftover(L"2026年1月5日.txt.tmp99-2", 1);
  EXPECT_EQ(FilesInDic(), 5);
  EXPECT_TRUE(SaveDayNote("2026年1月5日", "again"));
  EXPECT_EQ(::GetFileAttributesW(L"dic\\2026年1月5日.txt.tmp99-1"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesW(L"dic\\2026年1月5日.txt.tmp99-2"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FilesInDic(), 4);
}

TEST_F(DayNotesWin, DeviceNamesAndPathsAreNeverOpened) {
  for (const char* title : {"CON", "nul", "COM1.txt", "AUX", "..\\escape", "a:stream"}) {
    EXPECT_EQ(WriteDayNote(title, "note"), 0);
    std::string text;
    EXPECT_EQ(ReadDayNote(title, text), kDayNoteUnreadable) << title;
  }
  EXPECT_EQ(FilesInDic(), 0);
  EXPECT_EQ(::GetFileAttributesW(L"escape.txt"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace qb
