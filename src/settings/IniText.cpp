#include "settings/IniText.h"

#include "common/Text.h"

namespace qb {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::u16string Utf16Units(std::string_view body, bool bigEndian) {
  std::u16string units;
  units.reserve(body.size() / 2);
  for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
    const auto first = static_cast<unsigned char>(body[i]);
    const auto second = static_cast<unsigned char>(body[i + 1]);
    units += bigEndian ? static_cast<char16_t>(first << 8 | second)
                       : static_cast<char16_t>(second << 8 | first);
  }
  return units;
}

std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace

IniEncodingInfo DetectIniEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return {IniEncoding::Utf8Bom, 3};
  if (bytes.substr(0, 2) == "\xFF\xFE") return {IniEncoding::Utf16Le, 2};
  if (bytes.substr(0, 2) == "\xFE\xFF") return {IniEncoding::Utf16Be, 2};
  return {IniEncoding::Cp932, 0};
}

std::string_view IniByteOrderMark(IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case IniEncoding::Utf16Le: return "\xFF\xFE";
    case IniEncoding::Utf16Be: return "\xFE\xFF";
    case IniEncoding::Cp932: break;
  }
  return {};
}

std::string DecodeIniText(std::string_view body, IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Cp932: return Cp932ToUtf8(body);
    case IniEncoding::Utf8Bom: return Utf16ToUtf8(Utf8ToUtf16(body));  // replaces bad bytes
    case IniEncoding::Utf16Le: return Utf16ToUtf8(Utf16Units(body, false));
    case IniEncoding::Utf16Be: return Utf16ToUtf8(Utf16Units(body, true));
  }
  return {};
}

std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Cp932: return Utf8ToCp932(utf8);
    case IniEncoding::Utf8Bom: return Utf16ToUtf8(Utf8ToUtf16(utf8));
    case IniEncoding::Utf16Le: return Utf16Bytes(Utf8ToUtf16(utf8), false);
    case IniEncoding::Utf16Be: return Utf16Bytes(Utf8ToUtf16(utf8), true);
  }
  return std::nullopt;
}

bool IsIniBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IniNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string CleanIniName(std::string_view name) { return Utf16ToUtf8(Utf8ToUtf16(TrimIniBlanks(name))); }

IniLine ClassifyIniLine(std::string_view line) {
  IniLine result;
  const std::string_view text = TrimIniBlanks(line);
  if (text.empty()) return result;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) {
      result.kind = IniLineKind::Other;
      return result;
    }
    result.kind = IniLineKind::Section;
    result.name = TrimIniBlanks(text.substr(1, close - 1));
    return result;
  }
  result.kind = IniLineKind::Key;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    result.name = text;
    return result;
  }
  result.name = TrimIniBlanks(text.substr(0, equals));
  result.value = TrimIniBlanks(text.substr(equals + 1));
  return result;
}

std::string_view UnquoteIniValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string ProtectIniValue(std::string_view value) {
  if (TrimIniBlanks(value) == value && UnquoteIniValue(value) == value) return std::string(value);
  return "\"" + std::string(value) + "\"";
}

std::optional<std::string> LookupIniValue(std::string_view fileBytes, std::string_view sectionName,
                                          std::string_view keyName) {
  const std::string section = CleanIniName(sectionName);
  const std::string key = CleanIniName(keyName);
  const IniEncodingInfo info = DetectIniEncoding(fileBytes);
  const std::string text = DecodeIniText(fileBytes.substr(info.bomSize), info.encoding);
  const std::string_view all = text;
  bool inSection = false;
  bool sectionSeen = false;
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t end = pos;
    while (end < all.size() && all[end] != '\r' && all[end] != '\n') ++end;
    const IniLine line = ClassifyIniLine(all.substr(pos, end - pos));
    pos = end + 1;
    if (line.kind == IniLineKind::Section) {
      // Only the first section of a name counts; a later duplicate is never searched.
      if (sectionSeen) return std::nullopt;
      inSection = IniNamesEqual(line.name, section);
      sectionSeen = inSection;
    } else if (inSection && line.kind == IniLineKind::Key && IniNamesEqual(line.name, key)) {
      if (!line.value) return std::nullopt;
      return std::string(UnquoteIniValue(*line.value));
    }
  }
  return std::nullopt;
}

}  // namespace qb
