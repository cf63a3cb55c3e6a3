#include <gtest/gtest.h>

#include "common/Text.h"

namespace {

struct MappingCase {
  const char* utf8;
  const char* cp932;
};

// Codes as Japanese Windows writes them; the duplicates pick the code Windows picks.
TEST(TextCp932, EncodesAsWindowsDoes) {
  const MappingCase cases[] = {
      {"A\\~", "A\\~"},                            // 0x5C and 0x7E stay ASCII
      {"\xEF\xBE\x83\xEF\xBE\x9E", "\xC3\xDE"},    // ﾃﾞ half-width katakana
      {"\xE3\x81\x82", "\x82\xA0"},                // あ
      {"\xE8\xA1\xA8", "\x95\x5C"},                // 表: trail byte 0x5C
      {"\xE3\x82\xBD", "\x83\x5C"},                // ソ
      {"\xE8\x83\xBD", "\x94\x5C"},                // 能
      {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4", "\x82\x6C\x82\x72\x20\x83\x53"},  // ＭＳ ゴ
      {"\xE2\x91\xA0", "\x87\x40"},                // ① NEC row 13
      {"\xE2\x85\xB0", "\xFA\x40"},                // ⅰ: IBM form, not the NEC-selected 0xEEEF
      {"\xE7\xBA\x8A", "\xFA\x5C"},                // 纊: IBM form, not 0xED40
      {"\xE2\x88\xB5", "\x81\xE6"},                // ∵: JIS form before 0x879A and 0xFA5B
      {"\xE2\x85\xA0", "\x87\x54"},                // Ⅰ: NEC row 13 before 0xFA4A
      {"\xEF\xBF\xA2", "\x81\xCA"},                // ￢
      {"\xEF\xBD\x9E", "\x81\x60"},                // ～ FULLWIDTH TILDE
      {"\xEE\x80\x80", "\xF0\x40"},                // user-defined area
      {"\xC2\x80", "\x80"},
      {"\xEF\xA3\xB0", "\xA0"},
  };
  for (const auto& c : cases) {
    const auto encoded = qb::Utf8ToCp932(c.utf8);
    ASSERT_TRUE(encoded) << c.utf8;
    EXPECT_EQ(*encoded, c.cp932) << c.utf8;
  }
}

// No best fit: what has no exact form is reported, so the caller can store it losslessly.
TEST(TextCp932, RefusesCharactersWithoutAnExactForm) {
  const char* cases[] = {
      "\xF0\x9F\x98\x80",  // emoji
      "\xC2\xA2",          // ¢ (best fit would give 0x8191, which reads back as ￠)
      "\xC2\xA5",          // ¥ (best fit would give 0x5C)
      "\xE3\x80\x9C",      // 〜 WAVE DASH
      "\xE2\x88\x92",      // − MINUS SIGN
      "\xC3\xA9",          // é
      "\xEF\xBF\xBD",      // U+FFFD
      "ok\xE8\xA1",        // malformed UTF-8
  };
  for (const char* text : cases) EXPECT_FALSE(qb::Utf8ToCp932(text)) << text;
}

TEST(TextCp932, DecodesEveryFormOfADuplicateToOneCharacter) {
  EXPECT_EQ(qb::Cp932ToUtf8("\xEE\xEF"), "\xE2\x85\xB0");  // NEC-selected ⅰ
  EXPECT_EQ(qb::Cp932ToUtf8("\xFA\x40"), "\xE2\x85\xB0");
  EXPECT_EQ(qb::Cp932ToUtf8("\x87\x9A"), "\xE2\x88\xB5");
  EXPECT_EQ(qb::Cp932ToUtf8("\xFD\xFE\xFF"), "\xEF\xA3\xB1\xEF\xA3\xB2\xEF\xA3\xB3");
}

TEST(TextCp932, BadBytesBecomeReplacementWithoutEatingDelimiters) {
  const MappingCase cases[] = {
      {"\xEF\xBF\xBD=", "\x81="},        // lead byte before a non-trail byte
      {"a\xEF\xBF\xBD", "a\x81"},        // lead byte at the end
      {"\xEF\xBF\xBD\r\n", "\x95\r\n"},  // lead byte before a line break
      {"\xEF\xBF\xBD", "\x85\x40"},      // undefined pair
      {"\xEF\xBF\xBD", "\xEB\x40"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::Cp932ToUtf8(c.cp932), c.utf8) << c.cp932;
}

// Every defined code decodes to one character whose encoding decodes back to that character.
TEST(TextCp932, EveryDefinedCodeRoundTrips) {
  int defined = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!qb::IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = qb::Cp932ToUtf8(code);
      if (utf8 == "\xEF\xBF\xBD") continue;
      ++defined;
      ASSERT_EQ(qb::CountCodePoints(utf8), 1u) << std::hex << lead << trail;
      const auto back = qb::Utf8ToCp932(utf8);
      ASSERT_TRUE(back) << std::hex << lead << trail;
      ASSERT_EQ(qb::Cp932ToUtf8(*back), utf8) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(defined, 9604);  // the double-byte codes Windows defines for code page 932
  for (int b = 0; b < 0x100; ++b) {
    if (qb::IsCp932LeadByte(static_cast<unsigned char>(b))) continue;
    const std::string utf8 = qb::Cp932ToUtf8(std::string(1, static_cast<char>(b)));
    ASSERT_EQ(qb::Utf8ToCp932(utf8), std::string(1, static_cast<char>(b))) << b;
  }
}

TEST(TextCp932, LeadBytes) {
  for (int b = 0; b < 0x100; ++b) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(qb::IsCp932LeadByte(static_cast<unsigned char>(b)), lead) << b;
  }
}

}  // namespace
