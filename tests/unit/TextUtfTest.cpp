#include <gtest/gtest.h>

#include "common/Text.h"

namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

// Malformed input must become U+FFFD without swallowing the characters after it.
TEST(TextUtf, Utf8ToUtf16HandlesValidAndMalformedInput) {
  const Utf8Case cases[] = {
      {"ascii", "abc", u"abc"},
      {"two three four bytes", "\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80", u"\u00E9\u8868\U0001F600"},
      {"lone continuation", "a\x80z", u"a\uFFFDz"},
      {"truncated at end", "a\xE8\xA1", u"a\uFFFD"},
      {"truncated before ascii", "\xE8\xA1z", u"\uFFFDz"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"invalid lead", "\xFF" "a", u"\uFFFDa"},
      {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::Utf8ToUtf16(c.utf8), c.utf16) << c.name;
}

TEST(TextUtf, Utf16ToUtf8ReplacesUnpairedSurrogates) {
  EXPECT_EQ(qb::Utf16ToUtf8(u"\U0001F600\u8868"), "\xF0\x9F\x98\x80\xE8\xA1\xA8");
  EXPECT_EQ(qb::Utf16ToUtf8(std::u16string{0xD83D, u'a'}), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(qb::Utf16ToUtf8(std::u16string{u'a', 0xDE00}), "a\xEF\xBF\xBD");
  EXPECT_EQ(qb::Utf16ToUtf8(std::u16string{0xD83D}), "\xEF\xBF\xBD");
  EXPECT_EQ(qb::Utf16ToUtf8(std::u16string(1, u'\0')), std::string(1, '\0'));
}

TEST(TextUtf, EveryCodePointSurvivesBothDirections) {
  for (char32_t cp = 1; cp <= 0x10FFFF; cp += (cp < 0x11000 ? 1 : 97)) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::u16string utf16;
    if (cp >= 0x10000) {
      utf16 = {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)),
               static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
    } else {
      utf16 = {static_cast<char16_t>(cp)};
    }
    const std::string utf8 = qb::Utf16ToUtf8(utf16);
    ASSERT_EQ(qb::Utf8ToUtf16(utf8), utf16) << std::hex << static_cast<unsigned>(cp);
    ASSERT_EQ(qb::CountCodePoints(utf8), 1u);
  }
}

TEST(TextUtf, CountsAndCutsByCodePoint) {
  const std::string text = "a\xE8\xA1\xA8\xF0\x9F\x98\x80\xEF\xBE\x83z";  // a 表 😀 ﾃ z
  EXPECT_EQ(qb::CountCodePoints(text), 5u);
  EXPECT_EQ(qb::FirstCodePoints(text, 0), "");
  EXPECT_EQ(qb::FirstCodePoints(text, 2), "a\xE8\xA1\xA8");
  EXPECT_EQ(qb::FirstCodePoints(text, 3), "a\xE8\xA1\xA8\xF0\x9F\x98\x80");
  EXPECT_EQ(qb::FirstCodePoints(text, 99), text);
  // A malformed byte counts as one character, as it will show as one U+FFFD.
  EXPECT_EQ(qb::CountCodePoints("\xE8\xA1" "b"), 2u);
}

}  // namespace
