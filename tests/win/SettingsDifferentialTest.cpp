// The settings engine against the system's own profile functions on the same files: tricky files
// read both ways, and update sequences applied both ways and read back crosswise. Runs on
// Japanese Windows (code page 932). Where the two differ on purpose, the case holds both answers;
// SettingsDifferences.md explains each.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "common/Text.h"
#include "platform/WinText.h"
#include "settings/Settings.h"

namespace qb {
namespace {

// Text through the system's code page, independent of the engine's own CP932 tables.
std::string ToAnsi(const std::string& utf8) {
  const std::wstring wide = Widen(utf8);
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string FromAnsi(std::string_view ansi) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return Narrow(wide);
}

class SettingsDifferential : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), 932u) << "run under a Japanese locale (LANG=ja_JP.UTF-8)";
    wchar_t temp[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    dir_ = Narrow(temp) + "qb-settings-diff-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(SystemFileSystem().CreateDirectories(dir_));
  }
  void TearDown() override {
    for (const std::string& file : created_) (void)SystemFileSystem().RemoveFile(file);
    ::RemoveDirectoryW(Widen(dir_).c_str());
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
  }

  // A new file for every use: the profile functions cache files they have seen.
  std::string NewFile(const std::string& bytes) {
    const std::string path = dir_ + "\\case" + std::to_string(++count_) + ".ini";
    created_.push_back(path);
    EXPECT_TRUE(SystemFileSystem().WriteFileAtomically(path, bytes));
    return path;
  }
  std::string NewPath() {
    const std::string path = dir_ + "\\case" + std::to_string(++count_) + ".ini";
    created_.push_back(path);
    return path;
  }
  static std::string Bytes(const std::string& path) { return SystemFileSystem().ReadFile(path).value_or("<none>"); }

  static std::string ProfileRead(const std::string& path, const std::string& section, const std::string& key,
                                 const std::string& def) {
    std::string buffer(4096, '\0');
    ::GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(def).c_str(), buffer.data(),
                               4096, ToAnsi(path).c_str());
    return FromAnsi(buffer.c_str());
  }
  static void ProfileWrite(const std::string& path, const std::string& section, const std::string& key,
                           const std::optional<std::string>& value) {
    const std::string ansiValue = value ? ToAnsi(*value) : std::string();
    ::WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), value ? ansiValue.c_str() : nullptr,
                                 ToAnsi(path).c_str());
  }
  static std::string EngineRead(const std::string& path, const std::string& section, const std::string& key,
                                const std::string& def) {
    UseSettingsFile(path, SystemFileSystem());
    return ReadSetting(section, key, def);
  }
  static void EngineWrite(const std::string& path, const std::string& section, const std::string& key,
                          const std::optional<std::string>& value) {
    UseSettingsFile(path, SystemFileSystem());
    WriteSetting(section, key, value ? std::optional<std::string_view>(*value) : std::nullopt);
  }

private:
  std::string dir_;
  std::vector<std::string> created_;
  int count_ = 0;
};

const std::string kTable = "\x95\x5C";   // 表
const std::string kSo = "\x83\x5C";      // ソ
const std::string kNou = "\x94\x5C";     // 能
const std::string kMs = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック

struct ReadCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::string expected;                    // the engine's answer ("<def>": the default)
  std::optional<std::string> profileValue = std::nullopt;  // the profile functions' answer where it differs
};

std::vector<ReadCase> ReadCorpus() {
  const std::string longValue(5000, 'v');
  return {
      {"plain", "[FONT]\r\nCOLOR=255\r\n", "FONT", "COLOR", "255"},
      {"case of names", "[font]\r\ncolor=255\r\n", "FONT", "Color", "255"},
      {"missing section", "[A]\r\nx=1\r\n", "B", "x", "<def>"},
      {"missing key", "[A]\r\nx=1\r\n", "A", "y", "<def>"},
      {"double quotes", "[A]\r\nx=\"q r\"\r\n", "A", "x", "q r"},
      {"single quotes", "[A]\r\nx='q'\r\n", "A", "x", "q"},
      {"quotes inside blanks", "[A]\r\nx= \" q \" \r\n", "A", "x", " q "},
      {"one pair only", "[A]\r\nx=\"\"q\"\"\r\n", "A", "x", "\"q\""},
      {"mismatched quotes", "[A]\r\nx=\"q'\r\n", "A", "x", "\"q'"},
      {"lone quote", "[A]\r\nx=\"\r\n", "A", "x", "\""},
      {"blanks", "[A]\r\n \t x \t = \t a b \t \r\n", "A", "x", "a b"},
      {"vertical tab, form feed, ctrl-z", "[A]\r\nx=\v\f\x1A v \x1A\f\v\r\n", "A", "x", "v"},
      {"ideographic space kept", "[A]\r\nx=\x81\x40v\x81\x40\r\n", "A", "x", "\xE3\x80\x80v\xE3\x80\x80"},
      {"duplicate sections", "[A]\r\nx=1\r\n[B]\r\ny=0\r\n[a]\r\nx=2\r\nz=3\r\n", "A", "x", "1"},
      {"second duplicate not searched", "[A]\r\nx=1\r\n[a]\r\nz=3\r\n", "a", "z", "<def>"},
      {"duplicate keys", "[A]\r\nx=1\r\nX=2\r\n", "A", "x", "1"},
      {"semicolon comment", "[A]\r\n;x=1\r\nx=2\r\n", "A", "x", "2"},
      {"comment by its name", "[A]\r\n;x=1\r\n", "A", ";x", "1"},
      {"hash line", "[A]\r\n#x=1\r\n", "A", "#x", "1"},
      {"line without equals", "[A]\r\nx\r\nx=2\r\n", "A", "x", "<def>"},
      {"equals in value", "[A]\r\nx==b=c\r\n", "A", "x", "=b=c"},
      {"empty value", "[A]\r\nFilename=\r\n", "A", "Filename", ""},
      {"blank value", "[A]\r\nx=   \r\n", "A", "x", ""},
      {"empty quotes", "[A]\r\nx=\"\"\r\n", "A", "x", ""},
      {"spaces around brackets", "  [ A ]  \r\nx=1\r\n", "A", "x", "1"},
      {"text after bracket", "[A] junk=2\r\nx=1\r\n", "A", "x", "1"},
      {"unclosed bracket", "[A]\r\n[B\r\nx=1\r\n", "A", "x", "1"},
      {"LF endings", "[A]\nx=1\ny=2\n", "A", "y", "2"},
      {"CR endings", "[A]\rx=1\ry=2\r", "A", "y", "2"},
      {"no final break", "[A]\r\nx=1\r\ny=2", "A", "y", "2"},
      {"blank lines", "\r\n\r\n[A]\r\n\r\n\r\nx=1\r\n\r\n", "A", "x", "1"},
      {"0x5C trail bytes", "[" + kTable + "]\r\n" + kSo + "=" + kNou + "\\\r\n", "\xE8\xA1\xA8", "\xE3\x82\xBD",
       "\xE8\x83\xBD\\"},
      {"Japanese value", "[CalFont]\r\nName=" + kMs + "\r\n", "CalFont", "Name",
       "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"},
      {"UTF-8 with BOM", "\xEF\xBB\xBF[A]\r\nx=\xE8\xA1\xA8\r\n", "A", "x", "\xE8\xA1\xA8"},
      {"UTF-16LE with BOM", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x68\x88\r\0\n\0", 22), "A", "x", "\xE8\xA1\xA8"},
      {"UTF-16BE with BOM", std::string("\xFE\xFF\0[\0A\0]\0\r\0\n\0x\0=\x88\x68\0\r\0\n", 22), "A", "x", "\xE8\xA1\xA8"},
      {"long value", "[A]\r\nx=" + longValue + "\r\n", "A", "x", longValue.substr(0, 4095)},
      {"undefined double-byte code", "[A]\r\nx=\x85\x40\r\n", "A", "x", "\xEF\xBF\xBD", "\xE3\x83\xBB"},
      {"lead byte before a line break", "[A]\r\nx=a\x81\r\ny=2\r\n", "A", "y", "2"},
      {"NUL in value", std::string("[A]\r\nx=a\0b\r\n", 12), "A", "x", "a"},
      // Only the engine refuses empty names: the program never asks for them.
      {"empty key name", "[A]\r\n=1\r\n", "A", "", "<def>", "1"},
      {"keys before any section", "x=1\r\n[A]\r\n", "", "x", "<def>", "1"},
  };
}

TEST_F(SettingsDifferential, ReadsTrickyFilesLikeTheProfileFunctions) {
  for (const ReadCase& c : ReadCorpus()) {
    const std::string path = NewFile(c.file);
    const std::string expected = c.expected == "<def>" ? "dflt" : c.expected;
    const std::string profileExpected = c.profileValue ? *c.profileValue : expected;
    EXPECT_EQ(EngineRead(path, c.section, c.key, "dflt"), expected) << c.name;
    EXPECT_EQ(ProfileRead(path, c.section, c.key, "dflt"), profileExpected) << c.name;
  }
}

// 4094 single bytes, then a double-byte character over bytes 4095 and 4096. The engine stops
// before the character. Wine's reader counts 4095 bytes but never writes the last of them (the
// buffer keeps what it held), so only its first 4094 bytes are compared.
TEST_F(SettingsDifferential, ReadCutNeverSplitsACharacter) {
  const std::string path = NewFile("[A]\r\nx=" + std::string(4094, 'v') + "\x82\xA0tail\r\n");
  std::string buffer(4096, '#');
  ::GetPrivateProfileStringA("A", "x", "", buffer.data(), 4096, ToAnsi(path).c_str());
  EXPECT_TRUE(buffer.compare(0, 4094, std::string(4094, 'v')) == 0);
  const std::string engine = EngineRead(path, "A", "x", "");
  EXPECT_EQ(engine.size(), 4094u);
  EXPECT_TRUE(engine == std::string(4094, 'v'));
}

struct Write {
  std::string section;
  std::string key;
  std::optional<std::string> value;
};

struct UpdateCase {
  const char* name;
  std::string start;  // "<none>": no file
  std::vector<Write> writes;
  std::vector<std::pair<std::string, std::string>> reads;
};

std::vector<UpdateCase> UpdateCorpus() {
  const std::string jp = "\xE8\xA1\xA8\xE3\x82\xBD\xE8\x83\xBD@@\xEF\xBE\x83\xEF\xBE\x9E";  // 表ソ能@@ﾃﾞ
  return {
      {"fresh file", "<none>",
       {{"FONT", "Color", "255"}, {"FONT", "Color2", "1"}, {"KEY", "1", "-1"}, {"font", "COLOR", "7"}},
       {{"FONT", "COLOR"}, {"FONT", "color2"}, {"KEY", "1"}, {"KEY", "2"}}},
      {"duplicates and case", "[a]\r\nX=1\r\nx=2\r\n[A]\r\nx=3\r\ny=4\r\n",
       {{"A", "x", "9"}, {"A", "y", "8"}},
       {{"A", "x"}, {"a", "y"}}},
      {"unset and empty", "[Wallpaper]\r\n1=C:\\a.bmp\r\nDir=C:\\p\r\n",
       {{"Wallpaper", "1", std::nullopt}, {"Wallpaper", "Dir", ""}, {"Wallpaper", "none", std::nullopt},
        {"Nowhere", "x", std::nullopt}},
       {{"Wallpaper", "1"}, {"Wallpaper", "Dir"}, {"Nowhere", "x"}}},
      {"LF file without final break", "[A]\nx=1\n; comment\n\n[B]\ny=2",
       {{"A", "z", "3"}, {"B", "w", "4"}, {"C", "v", "5"}, {"A", "x", "6"}},
       {{"A", "x"}, {"A", "z"}, {"B", "y"}, {"B", "w"}, {"C", "v"}}},
      {"CR file", "[A]\rx=1\r", {{"A", "y", "2"}, {"B", "z", "3"}}, {{"A", "x"}, {"A", "y"}, {"B", "z"}}},
      {"Japanese text", "[DESKTOPMEMO]\r\nMEMO0=\x95\x5C\r\n",
       {{"DESKTOPMEMO", "MEMO0", jp}, {"DESKTOPMEMO", "MEMO1", jp}, {"\xE8\xA1\xA8", "\xE3\x82\xBD", jp}},
       {{"DESKTOPMEMO", "MEMO0"}, {"DESKTOPMEMO", "MEMO1"}, {"\xE8\xA1\xA8", "\xE3\x82\xBD"}}},
      {"values with quotes and blanks", "<none>",
       {{"A", "q", "\"quoted\""}, {"A", "b", "  padded  "}, {"A", "m", "'x\""}, {"A", "e", "="}},
       {{"A", "q"}, {"A", "b"}, {"A", "m"}, {"A", "e"}}},
      {"long value", "<none>", {{"A", "x", std::string(5000, 'w')}, {"A", "y", "after"}}, {{"A", "x"}, {"A", "y"}}},
      {"UTF-16LE file", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x68\x88\r\0\n\0", 22),
       {{"A", "y", jp}, {"B", "z", "1"}},
       {{"A", "x"}, {"A", "y"}, {"B", "z"}}},
      {"UTF-8 file", "\xEF\xBB\xBF[A]\r\nx=\xE8\xA1\xA8\r\n", {{"A", "y", jp}}, {{"A", "x"}, {"A", "y"}}},
      {"bare name and comment", "[A]\r\n;x=0\r\nx\r\n#y\r\n", {{"A", "x", "1"}, {"A", "#y", "2"}},
       {{"A", "x"}, {"A", "#y"}, {"A", ";x"}}},
      {"unset the first of two", "[A]\r\nx=1\r\nX=2\r\n", {{"a", "x", std::nullopt}}, {{"A", "x"}}},
      {"spaced names in the file", "  [ A ]  \r\n  x  =  1  \r\n", {{"A", "x", "2"}, {"A", "y", "3"}},
       {{"A", "x"}, {"A", "y"}}},
  };
}

// Each side writes its own copy; then every file is read by both readers, so each side also
// proves that it reads what the other wrote.
TEST_F(SettingsDifferential, UpdatesReadBackTheSameBothWays) {
  for (const UpdateCase& c : UpdateCorpus()) {
    const std::string engineFile = c.start == "<none>" ? NewPath() : NewFile(c.start);
    const std::string profileFile = c.start == "<none>" ? NewPath() : NewFile(c.start);
    for (const Write& w : c.writes) {
      EngineWrite(engineFile, w.section, w.key, w.value);
      ProfileWrite(profileFile, w.section, w.key, w.value);
    }
    for (const auto& [section, key] : c.reads) {
      const std::string fromProfileFile = ProfileRead(profileFile, section, key, "dflt");
      EXPECT_EQ(EngineRead(engineFile, section, key, "dflt"), fromProfileFile) << c.name << " " << section << "/" << key;
      EXPECT_EQ(EngineRead(profileFile, section, key, "dflt"), fromProfileFile) << c.name << " " << section << "/" << key;
      EXPECT_EQ(ProfileRead(engineFile, section, key, "dflt"), fromProfileFile) << c.name << " " << section << "/" << key;
    }
  }
}

// The engine hands back a default exactly as given; Wine's reader drops its trailing blanks and
// one pair of quotes. No default in the program has either.
TEST_F(SettingsDifferential, DefaultsComeBackAsGiven) {
  const std::string path = NewFile("[A]\r\n");
  EXPECT_EQ(EngineRead(path, "A", "x", "d  "), "d  ");
  EXPECT_EQ(EngineRead(path, "A", "x", "\"d\""), "\"d\"");
  EXPECT_EQ(ProfileRead(path, "A", "x", "d  "), "d");
  EXPECT_EQ(ProfileRead(path, "A", "x", "\"d\""), "d");
  EXPECT_EQ(EngineRead(path, "A", "x", " 255"), ProfileRead(path, "A", "x", " 255"));
}

TEST_F(SettingsDifferential, ALineBreakInAValueNeverBreaksTheFile) {
  const std::string engineFile = NewFile("[A]\r\nx=1\r\n");
  EngineWrite(engineFile, "A", "memo", "first\r\nx=evil\rsecond\nthird");
  EXPECT_EQ(ProfileRead(engineFile, "A", "x", "dflt"), "1");
  EXPECT_EQ(ProfileRead(engineFile, "A", "memo", "dflt"), "first x=evil second third");
  EXPECT_EQ(EngineRead(engineFile, "A", "memo", "dflt"), "first x=evil second third");
}

TEST_F(SettingsDifferential, UpgradedFilesAreReadByTheProfileFunctions) {
  const std::string path = NewFile("[A]\r\nname=" + kMs + "\r\n");
  const std::string emoji = "\xF0\x9F\x98\x80 \xC2\xA2";
  EngineWrite(path, "A", "emoji", emoji);
  EXPECT_EQ(Bytes(path).substr(0, 2), "\xFF\xFE");
  wchar_t buffer[256] = {};
  ::GetPrivateProfileStringW(L"A", L"emoji", L"dflt", buffer, 256, Widen(path).c_str());
  EXPECT_EQ(Narrow(buffer), emoji);
  EXPECT_EQ(ProfileRead(path, "A", "name", "dflt"), EngineRead(path, "A", "name", "dflt"));
  // And what the profile functions add to such a file, the engine reads.
  ::WritePrivateProfileStringW(L"B", L"wide", L"\u8868\U0001F600", Widen(path).c_str());
  EXPECT_EQ(EngineRead(path, "B", "wide", "dflt"), "\xE8\xA1\xA8\xF0\x9F\x98\x80");
  EXPECT_EQ(EngineRead(path, "A", "emoji", "dflt"), emoji);
}

}  // namespace
}  // namespace qb
