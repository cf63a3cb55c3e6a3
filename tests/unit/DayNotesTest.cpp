// Day-note files: format, encodings, titles that must never reach the file system, and writes
// that fail half-way.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/DayNotes.h"
#include "common/FileSystem.h"

namespace qb {
namespace {

// Files in memory, with switches that make each operation fail and a log of every mutation.
class MemoryFileSystem final : public FileSystem {
public:
  std::map<std::string, std::string> files;
  std::set<std::string> dirs;
  mutable std::vector<std::string> calls;  // every call, "Op path"
  bool failRead = false;
  bool failReplace = false;
  bool failCreate = false;

  std::optional<std::string> ReadFile(const std::string& path) const override {
    calls.push_back("ReadFile " + path);
    const auto it = files.find(path);
    if (failRead || it == files.end()) return std::nullopt;
    return it->second;
  }
  bool FileExists(const std::string& path) const override {
    calls.push_back("FileExists " + path);
    return files.count(path) != 0;
  }
  bool DirectoryExists(const std::string& path) const override {
    calls.push_back("DirectoryExists " + path);
    return dirs.count(path) != 0;
  }
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    calls.push_back("WriteFileAtomically " + path);
    // Like the real ones: all or nothing.
    if (failReplace || !dirs.count(ParentPath(path))) return false;
    files[path] = std::string(bytes);
    return true;
  }
  bool CreateDirectories(const std::string& path) override {
    calls.push_back("CreateDirectories " + path);
    if (failCreate) return false;
    dirs.insert(path);
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    calls.push_back("RemoveFile " + path);
    return files.erase(path) != 0;
  }
  std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir,
                                                           std::string_view namePrefix) const override {
    calls.push_back("ListDirectory " + dir + " " + std::string(namePrefix));
    std::vector<DirectoryEntry> entries;
    for (const auto& [path, bytes] : files) {
      if (ParentPath(path) == dir && FileNameOf(path).starts_with(namePrefix)) entries.push_back({FileNameOf(path), 0, false});
    }
    return entries;
  }
};

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

class DayNotes : public testing::Test {
protected:
  MemoryFileSystem fs;
  DayNoteFolder folder{&fs, "/base"};
  const std::string path = "/base/dic/2004年8月16日.txt";

  std::string Read(std::string_view title = "2004年8月16日") {
    std::string text;
    EXPECT_EQ(ReadDayNote(folder, title, text), 0) << title;
    return text;
  }
  void Write(std::string_view text, std::string_view title = "2004年8月16日") {
    EXPECT_EQ(WriteDayNote(folder, title, text), 0);
  }
};

TEST(DayNoteTitle, PlainDecimalWithoutLeadingZeros) {
  EXPECT_EQ(DayNoteTitle(2004, 8, 16), "2004年8月16日");
  EXPECT_EQ(DayNoteTitle(2005, 1, 1), "2005年1月1日");
  EXPECT_EQ(DayNoteTitle(2026, 12, 31), "2026年12月31日");
}

TEST_F(DayNotes, WritesOneCp932LineEndedByCrLf) {
  Write("a@@b");
  EXPECT_EQ(fs.files.at(path), "a@@b\r\n");
  EXPECT_EQ(Read(), "a@@b");

  Write("日本@@ﾃﾞｽｸ");
  EXPECT_EQ(fs.files.at(path), "\x93\xFA\x96\x7B@@\xC3\xDE\xBD\xB8\r\n");
  EXPECT_EQ(Read(), "日本@@ﾃﾞｽｸ");
}

TEST_F(DayNotes, FirstWriteCreatesTheDicFolder) {
  Write("x");
  EXPECT_TRUE(fs.dirs.count("/base/dic"));
  EXPECT_EQ(fs.files.count("/base/dic/2004年8月16日.txt"), 1u);
}

TEST_F(DayNotes, RoundTripsExactly) {
  const char* const notes[] = {
      "a@@b@@c",
      "  \"quoted, with commas\"  @@  leading blanks",
      "a@@",         // shown as a and an empty line
      "@@",
      "@@@@a",
      "a@@@@@@b",
      "",
      "   ",
      "会議 15:00@@持ち物：資料、印鑑",
      "①②③ ㈱ ～ ∥ －",  // characters of the NEC and IBM rows
      "tab\there",
  };
  for (const char* note : notes) {
    Write(note);
    EXPECT_EQ(Read(), note);
  }
}

TEST_F(DayNotes, TextCp932CannotHoldIsKeptAsUtf8WithBom) {
  const char* const notes[] = {
      "誕生日🎂@@プレゼント🎁",
      "café",     // é has no CP932 form
      "Ω ≠ 𠮷",  // 𠮷 lies beyond the BMP
      "\xEF\xBB\xBF starts with a BOM character",
  };
  for (const char* note : notes) {
    Write(note);
    EXPECT_TRUE(fs.files.at(path).starts_with("\xEF\xBB\xBF")) << note;
    EXPECT_TRUE(fs.files.at(path).ends_with("\r\n")) << note;
    EXPECT_EQ(Read(), note);
  }
}

TEST_F(DayNotes, ReadsHandMadeFiles) {
  fs.dirs.insert("/base/dic");
  struct Case { const char* bytes; const char* note; };
  const Case cases[] = {
      {"a\r\nb\r\n", "a@@b"},
      {"a\r\nb", "a@@b"},  // no final line break
      {"a\nb\n", "a@@b"},
      {"a\rb\r", "a@@b"},
      {"a@@\r\n", "a@@"},
      {"a\r\n\r\n", "a@@"},  // lines "a" and "": "a@@" + "@@", less the last separator
      {"a\r\n\r\nb\r\n", "a@@@@b"},
      {"\r\n", ""},
      {"", ""},
      {"x@@y\r\nz", "x@@y@@z"},
      {"\xEF\xBB\xBF" "a\r\nb", "a@@b"},
      {"\xEF\xBB\xBF", ""},
      {"\xFF\xFE" "a\0\r\0\n\0\xE5\x65", "a@@日"},
      {"\x93\xFA\r\n\x96\x7B", "日@@本"},
      {"\x93", "\xEF\xBF\xBD"},  // a cut double-byte character
      // Bytes that are no UTF-8 behind the mark read as U+FFFD, never as broken text.
      {"\xEF\xBB\xBF" "a\xFF\xFF" "b\xE3\x81", "a\xEF\xBF\xBD\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    const std::string bytes = c.bytes[0] == '\xFF' ? std::string(c.bytes, 10) : std::string(c.bytes);
    fs.files[path] = bytes;
    EXPECT_EQ(Read(), c.note) << testing::PrintToString(bytes);
  }
}

TEST_F(DayNotes, RawLineBreaksAreStoredAsSeparators) {
  Write("a\r\nb\nc\rd");
  EXPECT_EQ(fs.files.at(path), "a@@b@@c@@d\r\n");
  EXPECT_EQ(Read(), "a@@b@@c@@d");
}

TEST_F(DayNotes, ReadAppendsToTheCallersText) {
  Write("b");
  std::string text = "a";
  EXPECT_EQ(ReadDayNote(folder, "2004年8月16日", text), 0);
  EXPECT_EQ(text, "ab");
}

TEST_F(DayNotes, MissingOrUnreadableAnswersMinusNineAndLeavesText) {
  std::string text = "unchanged";
  EXPECT_EQ(ReadDayNote(folder, "2004年8月16日", text), kDayNoteUnreadable);
  EXPECT_EQ(text, "unchanged");
  Write("note");
  fs.failRead = true;
  EXPECT_EQ(ReadDayNote(folder, "2004年8月16日", text), kDayNoteUnreadable);
  EXPECT_EQ(text, "unchanged");
}

TEST_F(DayNotes, FailedWriteLeavesTheOldNoteWhole) {
  Write("old note@@second line");
  const std::string before = fs.files.at(path);
  fs.failReplace = true;
  fs.calls.clear();
  Write("new note");
  EXPECT_EQ(fs.files.at(path), before);
  EXPECT_EQ(Read(), "old note@@second line");
  // The note file is only ever replaced whole, never removed or written in place.
  for (const std::string& call : fs.calls) {
    EXPECT_FALSE(call.starts_with("RemoveFile")) << call;
  }
  EXPECT_EQ(fs.files.size(), 1u);
}

TEST_F(DayNotes, FolderThatCannotBeCreatedStoresNothing) {
  fs.failCreate = true;
  Write("note");
  EXPECT_TRUE(fs.files.empty());
  std::string text;
  EXPECT_EQ(ReadDayNote(folder, "2004年8月16日", text), kDayNoteUnreadable);
}

// A drawing lists the month's notes once and opens only the notes that exist.
TEST_F(DayNotes, ALookupListsEachMonthOnceAndOpensOnlyExistingNotes) {
  fs.dirs.insert("/base/dic");
  fs.files["/base/dic/2026年1月5日.txt"] = "a\r\n";
  fs.files["/base/dic/2026年1月31日.txt"] = "b\r\n";
  fs.files["/base/dic/2026年10月5日.txt"] = "other month\r\n";
  DayNoteLookup lookup(folder);
  fs.calls.clear();
  std::string found;
  for (int day = 1; day <= 31; ++day) {
    std::string text;
    if (lookup.Read(DayNoteTitle(2026, 1, day), text) == 0) found += std::to_string(day) + ":" + text + " ";
  }
  EXPECT_EQ(found, "5:a 31:b ");
  EXPECT_EQ(fs.calls, (std::vector<std::string>{"ListDirectory /base/dic 2026年1月",
                                                "ReadFile /base/dic/2026年1月5日.txt",
                                                "ReadFile /base/dic/2026年1月31日.txt"}));
  // The note of 5 October is found through a listing of its own month.
  std::string text;
  EXPECT_EQ(lookup.Read("2026年10月5日", text), 0);
  EXPECT_EQ(text, "other month");
  // No dic folder: nothing is opened at all.
  fs.files.clear();
  DayNoteLookup empty(folder);
  EXPECT_EQ(empty.Read("2026年1月5日", text), kDayNoteUnreadable);
}

TEST(DayNoteTitles, BadTitlesAreNeverReadOrWritten) {
  const std::string bad[] = {
      "", ".", "..", "a.", "a ", "2004年8月16日.", "2004年8月16日 ",
      "a/b", "a\\b", "../2004年8月16日", "..\\2004年8月16日", "/etc/passwd", "C:\\x", "C:x",
      "a<b", "a>b", "a:b", "a\"b", "a|b", "a?b", "a*b",
      "a\tb", "a\nb", "a\rb", std::string("a\0b", 3), "a\x1F", "a\x7F", "a\xC2\x85" "b",
      "CON", "con", "Con", "PRN", "AUX", "NUL", "nul.txt", "CON.note", "con .txt", "CON ",
      "COM1", "com9", "COM0", "LPT1", "lpt9.x", "LPT0", "COM\xC2\xB9", "lpt\xC2\xB3",
      "CONIN$", "conout$",
      "\xFF\xFE", "a\xE3\x81", "\xC0\xAF",  // not UTF-8 (the last an overlong '/')
      Repeat("x", 252), Repeat("あ", 252), Repeat("🎂", 126),  // over 251 UTF-16 units
  };
  for (const std::string& title : bad) {
    EXPECT_FALSE(IsPlainNoteTitle(title)) << testing::PrintToString(title);
    MemoryFileSystem fs;
    fs.dirs.insert("/base/dic");
    const DayNoteFolder folder{&fs, "/base"};
    std::string text = "kept";
    EXPECT_EQ(ReadDayNote(folder, title, text), kDayNoteUnreadable);
    EXPECT_EQ(text, "kept");
    WriteDayNote(folder, title, "note");
    EXPECT_TRUE(fs.calls.empty()) << testing::PrintToString(title) << " reached " << fs.calls.front();
  }
}

TEST(DayNoteTitles, PlainNamesAreAccepted) {
  const std::string good[] = {
      "2004年8月16日", "2005年1月1日", "a", "a.b", "a..b", " leading", "CONSOLE", "COM10", "LPT",
      "COMA", "NULL", "AUXILIARY.txt", "ＣＯＮ", "メモ＊", "日本語の題", "x.CON", "emoji🎂",
      Repeat("x", 251), Repeat("あ", 251), Repeat("🎂", 125) + "x",
  };
  for (const std::string& title : good) {
    EXPECT_TRUE(IsPlainNoteTitle(title)) << testing::PrintToString(title);
  }
}

// The same through the native file system in a scratch folder, as the program runs it.
class DayNotesOnDisk : public testing::Test {
protected:
  std::filesystem::path root;
  void SetUp() override {
    char pattern[] = "/tmp/daynotes-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    ASSERT_NE(dir, nullptr);
    root = dir;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
};

TEST_F(DayNotesOnDisk, CreatesDicAndRoundTrips) {
  const DayNoteFolder folder{&SystemFileSystem(), root.string()};
  ASSERT_FALSE(std::filesystem::exists(root / "dic"));
  EXPECT_EQ(WriteDayNote(folder, "2005年1月1日", "元旦@@初詣🎍"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(root / "dic"));
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "dic" / "2005年1月1日.txt"));
  std::string text;
  EXPECT_EQ(ReadDayNote(folder, "2005年1月1日", text), 0);
  EXPECT_EQ(text, "元旦@@初詣🎍");
  // Nothing but the note is left in the folder (no temporary files).
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root / "dic")) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(DayNotesOnDisk, CurrentDirectoryIsTheDefaultFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(root);
  UseDayNoteFolder("", SystemFileSystem());
  EXPECT_EQ(WriteDayNote("2004年8月16日", "a@@b"), 0);
  std::string text;
  EXPECT_EQ(ReadDayNote("2004年8月16日", text), 0);
  std::filesystem::current_path(previous);
  EXPECT_EQ(text, "a@@b");
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "dic" / "2004年8月16日.txt"));
}

// The longest title still makes a valid file name; its temporary file must too.
TEST_F(DayNotesOnDisk, TheLongestTitleIsStoredAndAFailedSaveIsReported) {
  const DayNoteFolder folder{&SystemFileSystem(), root.string()};
  const std::string title = std::string(251, 'a');
  ASSERT_TRUE(IsPlainNoteTitle(title));
  EXPECT_TRUE(SaveDayNote(folder, title, "long"));
  std::string text;
  EXPECT_EQ(ReadDayNote(folder, title, text), 0);
  EXPECT_EQ(text, "long");
  std::filesystem::permissions(root / "dic", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::geteuid() != 0) {
    EXPECT_FALSE(SaveDayNote(folder, title, "lost?"));
  }
  std::filesystem::permissions(root / "dic", std::filesystem::perms::owner_all);
  EXPECT_FALSE(SaveDayNote(folder, "a/b", "never"));
}

TEST_F(DayNotesOnDisk, DicThatIsAFileStoresNothing) {
  const DayNoteFolder folder{&SystemFileSystem(), root.string()};
  { FILE* f = std::fopen((root / "dic").c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
  EXPECT_EQ(WriteDayNote(folder, "2004年8月16日", "note"), 0);
  std::string text;
  EXPECT_EQ(ReadDayNote(folder, "2004年8月16日", text), kDayNoteUnreadable);
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "dic"));
}

}  // namespace
}  // namespace qb
