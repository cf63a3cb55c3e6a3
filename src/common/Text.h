#pragma once
// Text conversions. Inside the program every text is UTF-8 in a std::string; UTF-16 exists only at
// Win32 calls and CP932 (Shift-JIS, as Japanese Windows writes it) only at file boundaries.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// Malformed UTF-8 becomes U+FFFD; unpaired surrogates in UTF-16 become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// CP932 as Windows maps it (code page 932 including the NEC and IBM extensions).
// Encoding answers nullopt when a character has no CP932 form, so callers can keep such text
// losslessly some other way; decoding never fails (an undefined byte becomes U+FFFD).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);
// True when the byte opens a two-byte CP932 character.
bool IsCp932LeadByte(unsigned char byte);

// One code point of UTF-8 at `pos`, advancing past it; a malformed sequence yields U+FFFD and
// advances past its longest valid prefix (at least one byte).
char32_t DecodeUtf8(std::string_view utf8, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

// Half-width blanks (spaces and tabs), and a text without those at either end.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view TrimBlanks(std::string_view text);

// Unicode code points, the unit in which the program counts "characters".
std::size_t CountCodePoints(std::string_view utf8);
std::string FirstCodePoints(std::string_view utf8, std::size_t count);

}  // namespace qb
