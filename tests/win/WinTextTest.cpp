#include <gtest/gtest.h>

#include <string>

#include "platform/WinText.h"

namespace {

TEST(WinText, RoundTripsEveryKindOfText) {
  const std::string texts[] = {
      "",
      "Quorbell",
      "Quorbellは既に起動中です.",
      "ﾃﾞｽｸﾄｯﾌﾟﾒﾓ",              // half-width katakana
      "𠮷野家 😀",                // outside the BMP: surrogate pairs in UTF-16
      std::string("a\0b", 3),     // embedded NUL kept
      "C:\\Users\\ユーザー\\AppData",
  };
  for (const std::string& t : texts) EXPECT_EQ(qb::Narrow(qb::Widen(t)), t) << t;
}

TEST(WinText, SupplementaryCharactersBecomeSurrogatePairs) {
  const std::wstring w = qb::Widen("😀");
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0], 0xD83D);
  EXPECT_EQ(w[1], 0xDE00);
  EXPECT_EQ(qb::Widen("日本").size(), 2u);
}

TEST(WinText, MalformedInputBecomesReplacementCharacters) {
  // A lone continuation byte and a truncated sequence must not vanish silently or crash.
  const std::wstring w = qb::Widen("a\x80z\xE3\x81");
  EXPECT_EQ(w.front(), L'a');
  EXPECT_NE(w.find(L'\xFFFD'), std::wstring::npos);
  EXPECT_NE(w.find(L'z'), std::wstring::npos);
  // An unpaired high surrogate.
  const std::wstring lone{L'x', static_cast<wchar_t>(0xD800), L'y'};
  EXPECT_EQ(qb::Narrow(lone), "x\xEF\xBF\xBDy");
}

}  // namespace
