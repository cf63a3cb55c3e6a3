#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

struct UpdateCase {
  const char* name;
  std::string before;  // "<none>": no file
  const char* section;
  const char* key;
  std::optional<std::string> value;
  std::string after;
};

class SettingsUpdate : public SettingsFileTest {};

TEST_F(SettingsUpdate, EditsOnlyWhatItMust) {
  const UpdateCase cases[] = {
      {"creates the file", "<none>", "FONT", "Color", "255", "[FONT]\r\nColor=255\r\n"},
      {"appends a new section at the end", "[A]\r\nx=1\r\n", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"new key after the section's last key line",
       "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\nz=1\r\n", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n\r\n; about B\r\n[B]\r\nz=1\r\n"},
      {"new key in an empty section", "[A]\r\n[B]\r\n", "A", "y", "2", "[A]\r\ny=2\r\n[B]\r\n"},
      {"new key in the last section", "[A]\r\nx=1\r\n", "a", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"replaces only the text after '='", "[A]\r\n  Color = 1 \r\nx=1\r\n", "A", "COLOR", "255",
       "[A]\r\n  Color =255\r\nx=1\r\n"},
      {"first section and first key", "[A]\r\nx=1\r\nx=2\r\n[A]\r\nx=3\r\n", "a", "X", "9",
       "[A]\r\nx=9\r\nx=2\r\n[A]\r\nx=3\r\n"},
      {"bare name gets its value", "[A]\r\nx \r\n", "A", "x", "1", "[A]\r\nx=1\r\n"},
      {"empty text keeps the key", "[A]\r\nx=1\r\n", "A", "x", "", "[A]\r\nx=\r\n"},
      {"value written unchanged", "[A]\r\n", "A", "x", " \"q\" 'r ", "[A]\r\nx= \"q\" 'r \r\n"},
      {"line breaks in a value become blanks", "[A]\r\n", "A", "x", "a\r\nb\rc\nd\n\ne",
       "[A]\r\nx=a b c d  e\r\n"},
      {"NUL ends the value", "[A]\r\n", "A", "x", std::string("ab\0cd", 5), "[A]\r\nx=ab\r\n"},
      {"key name stored trimmed", "[A]\r\n", " A ", " x ", "1", "[A]\r\nx=1\r\n"},
      {"unset removes the key line", "[A]\r\nx=1\r\ny=2\r\n", "A", "X", std::nullopt, "[A]\r\ny=2\r\n"},
      {"unset removes only the first", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", std::nullopt, "[A]\r\nx=2\r\n"},
      {"unset of the last line without a break", "[A]\r\ny=2\r\nx=1", "A", "x", std::nullopt,
       "[A]\r\ny=2\r\n"},
      {"unset leaves the section", "[A]\r\nx=1\r\n", "A", "x", std::nullopt, "[A]\r\n"},
      {"LF file keeps LF", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"LF file new section", "[A]\nx=1\n", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
      {"CR file keeps CR", "[A]\rx=1\r", "A", "y", "2", "[A]\rx=1\ry=2\r"},
      {"break added before appending", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"break added before a new section", "[A]\r\nx=1", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"no break added by a replace", "[A]\r\nx=1", "A", "x", "2", "[A]\r\nx=2"},
      {"comments, blanks and other lines kept", "; head\r\n\r\n[A] ; c\r\n\tx\t=\t1\r\n#z\r\n[B\r\n", "A", "y",
       "2", "; head\r\n\r\n[A] ; c\r\n\tx\t=\t1\r\n#z\r\ny=2\r\n[B\r\n"},
      {"bytes of other lines kept as they are", "[A]\r\nbad=\x81\x20\xFF\r\nx=1\r\n", "A", "x", "2",
       "[A]\r\nbad=\x81\x20\xFF\r\nx=2\r\n"},
      {"key bytes kept when the value changes", "[A]\r\n\x95\x5C\x81=1\r\n", "A", "\xE8\xA1\xA8\xEF\xBF\xBD", "2",
       "[A]\r\n\x95\x5C\x81=2\r\n"},
  };
  for (const auto& c : cases) {
    fs.files.clear();
    if (c.before != "<none>") Given(c.before);
    WriteSetting(c.section, c.key, c.value ? std::optional<std::string_view>(*c.value) : std::nullopt);
    EXPECT_EQ(File(), c.after) << c.name;
  }
}

TEST_F(SettingsUpdate, NamesThatCannotBeStoredWriteNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"A]B", "x"}, {"A\r\nB", "x"}, {"A", "x=y"}, {"A", "[x]"}, {"A", "x\ny"}, {"", "x"}, {"A", " "},
  };
  for (const auto& [section, key] : cases) {
    Given("[A]\r\n");
    WriteSetting(section, key, "1");
    EXPECT_EQ(File(), "[A]\r\n") << section << "/" << key;
    EXPECT_EQ(ReadSetting(section, key, "def"), "def") << section << "/" << key;
  }
}

// Found by fuzzing: a name with malformed UTF-8 was stored with U+FFFD but looked up as given.
TEST_F(SettingsUpdate, NamesWithMalformedUtf8ReadBack) {
  Given("\xEF\xBB\xBF[A]\r\n");
  WriteSetting("A\xC9y", "k\xE8", "v");
  EXPECT_EQ(ReadSetting("A\xC9y", "k\xE8", "def"), "v");
  EXPECT_EQ(File(), "\xEF\xBB\xBF[A]\r\n[A\xEF\xBF\xBDy]\r\nk\xEF\xBF\xBD=v\r\n");
  WriteSetting("A\xC9y", "k\xE8", std::nullopt);
  EXPECT_EQ(ReadSetting("A\xC9y", "k\xE8", "def"), "def");
}

TEST_F(SettingsUpdate, UnsetAndEmptyReadBackDifferently) {
  WriteSetting("Wallpaper", "1", "");
  EXPECT_EQ(ReadSetting("Wallpaper", "1", "default"), "");
  WriteSetting("Wallpaper", "1", std::nullopt);
  EXPECT_EQ(ReadSetting("Wallpaper", "1", "default"), "default");
}

TEST_F(SettingsUpdate, WritesOnlyWhenSomethingChanges) {
  WriteSetting("A", "x", std::nullopt);  // no file: nothing to remove, nothing created
  EXPECT_EQ(File(), "<none>");
  Given("[A]\r\nx=1\r\n");
  WriteSetting("A", "y", std::nullopt);
  WriteSetting("B", "y", std::nullopt);
  WriteSetting("a", "X", "1");
  EXPECT_EQ(fs.replaceCalls, 0);
  WriteSetting("A", "x", "2");
  EXPECT_EQ(fs.replaceCalls, 1);
}

TEST_F(SettingsUpdate, LongValuesAreStoredWhole) {
  const std::string value(5000, 'v');
  WriteSetting("A", "x", value);
  EXPECT_EQ(File(), "[A]\r\nx=" + value + "\r\n");
  EXPECT_EQ(ReadSetting("A", "x", ""), value.substr(0, 4095));
}

TEST_F(SettingsUpdate, ValuesReadBackAsWritten) {
  const char* values[] = {"0", "16777215", "C:\\Program Files\\x.exe \"%1\"", "a=b;c#d[e]",
                          "\xE8\xA1\xA8\xE3\x82\xBD\xE8\x83\xBD@@\xEF\xBE\x83\xEF\xBE\x9E",
                          "line1\\nline2\\tx", "\xF0\x9F\x98\x80 emoji"};
  for (const char* value : values) {
    WriteSetting("DESKTOPMEMO", "MEMO0", value);
    EXPECT_EQ(ReadSetting("desktopmemo", "memo0", "def"), value);
  }
}

}  // namespace
}  // namespace qb::test
