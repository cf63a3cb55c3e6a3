#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

struct LookupCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;  // "<def>" is the default passed
};

class SettingsLookup : public SettingsFileTest {};

TEST_F(SettingsLookup, FollowsTheProfileRules) {
  const LookupCase cases[] = {
      {"plain", "[FONT]\r\nCOLOR=255\r\n", "FONT", "COLOR", "255"},
      {"section without case", "[FONT]\r\nCOLOR=255\r\n", "font", "COLOR", "255"},
      {"key without case", "[FONT]\r\nColor=255\r\n", "FONT", "COLOR", "255"},
      {"missing section", "[FONT]\r\nCOLOR=255\r\n", "FONTS", "COLOR", "<def>"},
      {"missing key", "[FONT]\r\nCOLOR=255\r\n", "FONT", "COLOR2", "<def>"},
      {"key of another section", "[A]\r\nx=1\r\n[B]\r\n", "B", "x", "<def>"},
      {"first section wins", "[A]\r\nx=1\r\n[B]\r\n[a]\r\nx=2\r\ny=3\r\n", "A", "x", "1"},
      {"later duplicate section never searched", "[A]\r\nx=1\r\n[a]\r\ny=3\r\n", "A", "y", "<def>"},
      {"first key wins", "[A]\r\nx=1\r\nX=2\r\n", "A", "x", "1"},
      {"blanks around name and value", "[A]\r\n \t x \t= \t a b \t\r\n", "A", "x", "a b"},
      {"ctrl-z and form feed are blanks", "[A]\r\nx=\x1A\f v\f\x1A\r\n", "A", "x", "v"},
      {"ideographic space is not a blank", "[A]\r\nx=\x81\x40v\r\n", "A", "x", "\xE3\x80\x80v"},
      {"double quotes", "[A]\r\nx=\"v w\"\r\n", "A", "x", "v w"},
      {"single quotes", "[A]\r\nx='v'\r\n", "A", "x", "v"},
      {"quotes after blanks, inner blanks kept", "[A]\r\nx= \" v \" \r\n", "A", "x", " v "},
      {"only one pair dropped", "[A]\r\nx=\"\"v\"\"\r\n", "A", "x", "\"v\""},
      {"mismatched quotes kept", "[A]\r\nx=\"v'\r\n", "A", "x", "\"v'"},
      {"lone quote kept", "[A]\r\nx=\"\r\n", "A", "x", "\""},
      {"empty quotes", "[A]\r\nx=\"\"\r\n", "A", "x", ""},
      {"empty value is not absent", "[A]\r\nFilename=\r\n", "A", "Filename", ""},
      {"blank value is empty", "[A]\r\nx=   \r\n", "A", "x", ""},
      {"equals in value", "[A]\r\nx==b=c\r\n", "A", "x", "=b=c"},
      {"line without equals has no value", "[A]\r\nx\r\nx=2\r\n", "A", "x", "<def>"},
      {"comment is a key like any other", "[A]\r\n;x=1\r\n", "A", "x", "<def>"},
      {"comment found by its own name", "[A]\r\n;x=1\r\n", "A", ";x", "1"},
      {"hash line", "[A]\r\n#x=1\r\n", "A", "#x", "1"},
      {"LF endings", "[A]\nx=1\ny=2", "A", "y", "2"},
      {"CR endings", "[A]\rx=1\ry=2\r", "A", "y", "2"},
      {"no final line break", "[A]\r\nx=1", "A", "x", "1"},
      {"blank lines", "\r\n\r\n[A]\r\n\r\n\r\nx=1\r\n\r\n", "A", "x", "1"},
      {"indented section", "  [A]  \r\nx=1\r\n", "A", "x", "1"},
      {"blanks inside brackets", "[ A ]\r\nx=1\r\n", "A", "x", "1"},
      {"text after bracket ignored", "[A]junk=2\r\nx=1\r\n", "A", "x", "1"},
      {"text after bracket is no key", "[A]junk=2\r\n", "A", "junk", "<def>"},
      {"unclosed bracket line skipped", "[A]\r\n[B\r\nx=1\r\n", "A", "x", "1"},
      {"keys before any section", "x=1\r\n[A]\r\n", "A", "x", "<def>"},
      {"trail byte 0x5C in names", "[\x95\x5C]\r\n\x83\x5C=\x94\x5C\r\n", "\xE8\xA1\xA8", "\xE3\x82\xBD", "\xE8\x83\xBD"},
      {"full-width letters keep their case", "[\x82\x60]\r\nx=1\r\n", "\xEF\xBD\x81", "x", "<def>"},
      {"NUL ends the value", std::string("[A]\r\nx=a\0b\r\n", 12), "A", "x", "a"},
      {"requested names trimmed", "[A]\r\nx=1\r\n", " A ", "\tx ", "1"},
      {"empty key name", "[A]\r\n=1\r\n", "A", "", "<def>"},
      {"empty section name", "x=1\r\n", "", "x", "<def>"},
  };
  for (const auto& c : cases) {
    Given(c.file);
    EXPECT_EQ(ReadSetting(c.section, c.key, "<def>"), c.expected) << c.name;
  }
}

TEST_F(SettingsLookup, MissingFileGivesTheDefault) {
  EXPECT_EQ(ReadSetting("A", "x", "dflt"), "dflt");
  EXPECT_EQ(ReadSetting(keys::MemDietSec), "600");
  EXPECT_EQ(ReadSetting(keys::CalFontName), keys::CalFontName.defaultValue);
}

TEST_F(SettingsLookup, ReadsAreCutTo4095BytesWithoutSplittingACharacter) {
  Given("[A]\r\nx=" + std::string(5000, 'v') + "\r\n");
  EXPECT_EQ(ReadSetting("A", "x", ""), std::string(4095, 'v'));

  // 4094 single bytes, then a double-byte character that would need bytes 4095 and 4096.
  Given("[A]\r\nx=" + std::string(4094, 'v') + "\x82\xA0" + "tail\r\n");
  EXPECT_EQ(ReadSetting("A", "x", ""), std::string(4094, 'v'));

  // Double-byte characters count two bytes each: 2047 of them fill 4094 bytes.
  std::string kana;
  for (int i = 0; i < 3000; ++i) kana += "\x82\xA0";
  Given("[A]\r\nx=" + kana + "\r\n");
  const std::string read = ReadSetting("A", "x", "");
  EXPECT_EQ(CountCodePoints(read), 2047u);
  EXPECT_EQ(read.size(), 2047u * 3);

  // A character CP932 cannot hold counts its UTF-8 bytes.
  std::string emoji;
  for (int i = 0; i < 1100; ++i) emoji += "\xF0\x9F\x98\x80";
  EXPECT_EQ(CountCodePoints(ReadSetting("A", "missing", emoji)), 1023u);

  EXPECT_EQ(ReadSetting("A", "missing", std::string(4096, 'd')), std::string(4095, 'd'));
}

TEST_F(SettingsLookup, EveryReadSeesTheFileAsItIsNow) {
  Given("[A]\r\nx=1\r\n");
  EXPECT_EQ(ReadSetting("A", "x", ""), "1");
  Given("[A]\nx=2\n");  // another program edited it
  EXPECT_EQ(ReadSetting("A", "x", ""), "2");
  fs.files.clear();
  EXPECT_EQ(ReadSetting("A", "x", "gone"), "gone");
}

}  // namespace
}  // namespace qb::test
