#pragma once
// The text level of Quorbell.ini: byte-order marks and encodings, how a line is classified, and a
// read-only lookup straight on the file's bytes. IniDocument builds the editable form on top.
#include <optional>
#include <string>
#include <string_view>

namespace qb {

enum class IniEncoding {
  Cp932,    // no byte-order mark: what Japanese Windows writes
  Utf8Bom,  // EF BB BF
  Utf16Le,  // FF FE
  Utf16Be,  // FE FF
};

struct IniEncodingInfo {
  IniEncoding encoding;
  std::size_t bomSize;
};

IniEncodingInfo DetectIniEncoding(std::string_view bytes);
std::string_view IniByteOrderMark(IniEncoding encoding);
// Text after the byte-order mark to UTF-8 (bad bytes become U+FFFD; a UTF-16 file's odd last byte
// is ignored).
std::string DecodeIniText(std::string_view body, IniEncoding encoding);
// nullopt only for CP932 when a character has no CP932 form.
std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding);

// What the profile functions treat as blank around names and values: ASCII white space and the
// old end-of-file mark Ctrl+Z, but not the ideographic space U+3000.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view text);
// ASCII letters only, like the profile functions on Japanese Windows.
bool IniNamesEqual(std::string_view a, std::string_view b);
// A requested section or key name as it is compared and stored: trimmed, malformed UTF-8 as
// U+FFFD (the file's text is always well-formed once decoded, so a name must be too to match).
std::string CleanIniName(std::string_view name);

enum class IniLineKind {
  Blank,    // nothing but blanks
  Section,  // "[name]", anything after the first ']' ignored
  Key,      // "name=value", or a bare "name" without a value
  Other,    // '[' without ']': belongs to no section and holds no key
};

struct IniLine {
  IniLineKind kind = IniLineKind::Blank;
  std::string_view name;                  // trimmed
  std::optional<std::string_view> value;  // trimmed text after the first '='; none without '='
};

// `line` is one line of decoded text without its line break.
IniLine ClassifyIniLine(std::string_view line);
// Drops one pair of enclosing '"' or '\'' (the value is already trimmed).
std::string_view UnquoteIniValue(std::string_view value);
// What to write for a text a user typed so that the reading above gives it back whole: the text
// itself, or, when reading would take blanks off its ends or a pair of quotes around it, the text
// in double quotes.
std::string ProtectIniValue(std::string_view value);

// The value of the first matching key of the first matching section, trimmed and unquoted, at its
// full length; nullopt when the section or key is missing or the key line has no '='.
std::optional<std::string> LookupIniValue(std::string_view fileBytes, std::string_view section,
                                          std::string_view key);

}  // namespace qb
