// The CP932 tables against the system's own code page 932 conversions, character by character.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/Text.h"
#include "platform/WinText.h"

namespace qb {
namespace {

std::string Utf8Of(char16_t unit) { return Narrow(std::wstring(1, static_cast<wchar_t>(unit))); }

// Every double-byte code the system defines decodes to the same character.
TEST(TextCp932Differential, DecodesLikeTheSystem) {
  int compared = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      wchar_t wide[2] = {};
      const int n = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, code, 2, wide, 2);
      if (n != 1) continue;  // undefined in the system's table too
      ++compared;
      ASSERT_EQ(Cp932ToUtf8(std::string(code, 2)), Utf8Of(wide[0])) << std::hex << lead << " " << trail;
    }
  }
  EXPECT_EQ(compared, 9604);
  for (int b = 0; b < 0x100; ++b) {
    if (IsCp932LeadByte(static_cast<unsigned char>(b))) continue;
    const char byte = static_cast<char>(b);
    wchar_t wide[2] = {};
    ASSERT_EQ(::MultiByteToWideChar(932, 0, &byte, 1, wide, 2), 1) << b;
    EXPECT_EQ(Cp932ToUtf8(std::string(1, byte)), Utf8Of(wide[0])) << b;
  }
}

// Every character of the Basic Multilingual Plane encodes to the code the system picks, and is
// refused exactly where the system has no exact code (best fit switched off).
TEST(TextCp932Differential, EncodesLikeTheSystemWithoutBestFit) {
  int encodable = 0;
  for (unsigned cp = 1; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const wchar_t wide = static_cast<wchar_t>(cp);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4, nullptr, &usedDefault);
    const auto ours = Utf8ToCp932(Utf8Of(static_cast<char16_t>(cp)));
    if (usedDefault || n <= 0) {
      ASSERT_FALSE(ours) << std::hex << cp;
    } else {
      ++encodable;
      ASSERT_TRUE(ours) << std::hex << cp;
      ASSERT_EQ(*ours, std::string(bytes, static_cast<std::size_t>(n))) << std::hex << cp;
    }
  }
  EXPECT_GT(encodable, 9000);
}

}  // namespace
}  // namespace qb
