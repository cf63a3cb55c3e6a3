#include "settings/IniDocument.h"
#include "settings/IniText.h"
#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

std::string Utf16Le(std::u16string_view text) {
  std::string out;
  for (const char16_t unit : text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

std::string Utf16Be(std::u16string_view text) {
  std::string out;
  for (const char16_t unit : text) {
    out += static_cast<char>(unit >> 8);
    out += static_cast<char>(unit & 0xFF);
  }
  return out;
}

class SettingsEncoding : public SettingsFileTest {};

// Every text the program would write as a default fits CP932, so a normal file stays CP932.
TEST_F(SettingsEncoding, CatalogueDefaultsRoundTripThroughCp932) {
  const auto all = keys::AllCatalogued();
  ASSERT_GT(all.size(), 200u);
  for (const SettingKey& key : all) WriteSetting(key, key.defaultValue);
  const std::string file = File();
  EXPECT_EQ(DetectIniEncoding(file).encoding, IniEncoding::Cp932);
  EXPECT_NE(file.find("Name=\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E"), std::string::npos);
  for (const SettingKey& key : all) {
    EXPECT_EQ(ReadSetting(key.section, key.key, "<absent>"), key.defaultValue) << key.section << "/" << key.key;
  }
}

TEST_F(SettingsEncoding, JapaneseIsWrittenAsCp932) {
  WriteSetting("DESKTOPMEMO", "MEMO0", "\xE8\xA1\xA8\xE3\x82\xBD");
  EXPECT_EQ(File(), "[DESKTOPMEMO]\r\nMEMO0=\x95\x5C\x83\x5C\r\n");
}

TEST_F(SettingsEncoding, ATextCp932CannotHoldTurnsTheFileIntoUtf16) {
  const std::string before = "; memo file\r\n[A]\r\nname=\x95\x5C\r\nq=\"x\"\r\n\r\n[B]\r\nb=1";
  Given(before);
  WriteSetting("A", "emoji", "\xF0\x9F\x98\x80");
  const std::u16string expected =
      u"; memo file\r\n[A]\r\nname=\u8868\r\nq=\"x\"\r\nemoji=\U0001F600\r\n\r\n[B]\r\nb=1";
  EXPECT_EQ(File(), "\xFF\xFE" + Utf16Le(expected));
  EXPECT_EQ(ReadSetting("A", "name", ""), "\xE8\xA1\xA8");
  EXPECT_EQ(ReadSetting("A", "q", ""), "x");
  EXPECT_EQ(ReadSetting("A", "emoji", ""), "\xF0\x9F\x98\x80");
  // From now on the file stays UTF-16LE, also for plain values.
  WriteSetting("B", "b", "2");
  EXPECT_EQ(File().substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadSetting("B", "b", ""), "2");
}

TEST_F(SettingsEncoding, ReplacingAValueWithAnEmojiAlsoUpgrades) {
  Given("[A]\r\nx=1\r\n");
  WriteSetting("A", "x", "\xC2\xA2");  // ¢ has no exact CP932 form
  EXPECT_EQ(File(), "\xFF\xFE" + Utf16Le(u"[A]\r\nx=\u00A2\r\n"));
}

TEST_F(SettingsEncoding, FilesWithAByteOrderMarkKeepIt) {
  struct Case {
    const char* name;
    std::string file;
    std::string afterWrite;
  };
  const Case cases[] = {
      {"UTF-16LE", "\xFF\xFE" + Utf16Le(u"[A]\r\nx=\u8868\r\n"), "\xFF\xFE" + Utf16Le(u"[A]\r\nx=\u8868\r\ny=\u30BD\r\n")},
      {"UTF-16BE", "\xFE\xFF" + Utf16Be(u"[A]\nx=\u8868\n"), "\xFE\xFF" + Utf16Be(u"[A]\nx=\u8868\ny=\u30BD\n")},
      {"UTF-8", "\xEF\xBB\xBF[A]\r\nx=\xE8\xA1\xA8\r\n", "\xEF\xBB\xBF[A]\r\nx=\xE8\xA1\xA8\r\ny=\xE3\x82\xBD\r\n"},
  };
  for (const auto& c : cases) {
    Given(c.file);
    EXPECT_EQ(ReadSetting("A", "x", ""), "\xE8\xA1\xA8") << c.name;
    WriteSetting("A", "y", "\xE3\x82\xBD");
    EXPECT_EQ(File(), c.afterWrite) << c.name;
    WriteSetting("A", "z", "\xF0\x9F\x98\x80");  // any character fits these encodings
    EXPECT_EQ(ReadSetting("A", "z", ""), "\xF0\x9F\x98\x80") << c.name;
    EXPECT_EQ(File().substr(0, 2), c.file.substr(0, 2)) << c.name;
  }
}

TEST_F(SettingsEncoding, BrokenUtf16IsReadWithoutHarm) {
  // An odd last byte and an unpaired surrogate.
  Given("\xFF\xFE" + Utf16Le(u"[A]\r\nx=1\r\ny=") + std::string("\x3D\xD8", 2) + Utf16Le(u"\r\n") + "\x41");
  EXPECT_EQ(ReadSetting("A", "x", ""), "1");
  EXPECT_EQ(ReadSetting("A", "y", ""), "\xEF\xBF\xBD");
  WriteSetting("A", "x", "2");
  EXPECT_EQ(ReadSetting("A", "x", ""), "2");
  EXPECT_EQ(File().size() % 2, 0u);
}

TEST(IniEncodingDetection, ByteOrderMarks) {
  EXPECT_EQ(DetectIniEncoding("").encoding, IniEncoding::Cp932);
  EXPECT_EQ(DetectIniEncoding("\xEF\xBB").encoding, IniEncoding::Cp932);
  EXPECT_EQ(DetectIniEncoding("\xEF\xBB\xBF").bomSize, 3u);
  EXPECT_EQ(DetectIniEncoding("\xFF\xFE[").encoding, IniEncoding::Utf16Le);
  EXPECT_EQ(DetectIniEncoding("\xFE\xFF").encoding, IniEncoding::Utf16Be);
}

}  // namespace
}  // namespace qb::test

namespace qb::test {
namespace {

// Two entries naming one key would let two features disagree about its default unnoticed; the only
// allowed pairs are the dialog's spellings of the FONT colours, which must agree.
TEST(Catalogue, EveryKeyIsNamedOnceAndStorable) {
  const auto all = keys::AllCatalogued();
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_TRUE(IniDocument::IsStorableSectionName(all[i].section)) << all[i].section;
    EXPECT_TRUE(IniDocument::IsStorableKeyName(all[i].key)) << all[i].key;
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      if (!IniNamesEqual(all[i].section, all[j].section) || !IniNamesEqual(all[i].key, all[j].key)) continue;
      EXPECT_EQ(all[i].section, "FONT") << all[i].key;
      EXPECT_EQ(all[i].defaultValue, all[j].defaultValue) << all[i].key;
    }
  }
  EXPECT_EQ(keys::MemoText(10).key, "MEMO10");
  EXPECT_EQ(keys::MemoOwnFontBold(3).section, "MemoFont3");
}

}  // namespace
}  // namespace qb::test
