#include "common/Text.h"

#include <algorithm>
#include <cstdint>

namespace qb {
namespace {

#include "common/Cp932Table.inc"

constexpr char32_t kReplacement = 0xFFFD;


bool IsCp932TrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

int LeadIndex(unsigned char lead) {
  return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0xA0 - 0x81);
}

// The CP932 code of a code point (a byte below 0x100, else lead << 8 | trail), or -1.
int Cp932Code(char32_t cp) {
  if (cp > 0xFFFF) return -1;
  const auto* begin = std::begin(kCp932Encode);
  const auto* end = std::end(kCp932Encode);
  const auto* it = std::lower_bound(begin, end, cp, [](const unsigned short (&entry)[2], char32_t value) {
    return entry[0] < value;
  });
  if (it == end || (*it)[0] != cp) return -1;
  return (*it)[1];
}

}  // namespace

// Decodes one code point at `pos` and advances past it. A malformed sequence yields U+FFFD and
// advances past its longest valid prefix (at least one byte), the usual "maximal subpart" rule,
// so a stray byte never swallows the ASCII that follows it.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(pos);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int length = 0;
  char32_t cp = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    ++pos;
    return kReplacement;
  }
  ++pos;
  for (int i = 1; i < length; ++i) {
    if (pos >= s.size()) return kReplacement;
    const unsigned char b = byte(pos);
    const unsigned char min = i == 1 ? lo : 0x80;
    const unsigned char max = i == 1 ? hi : 0xBF;
    if (b < min || b > max) return kReplacement;
    cp = (cp << 6) | (b & 0x3F);
    ++pos;
  }
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, pos);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3 / 2);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {  // ASCII maps to itself, 0x5C and 0x7E included
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    // A malformed sequence decodes to U+FFFD, which CP932 cannot hold either.
    const int code = Cp932Code(DecodeUtf8(utf8, pos));
    if (code < 0) return std::nullopt;
    if (code >= 0x100) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (b < 0x80) {
      // Settings files are mostly ASCII: copy runs of it in one go.
      std::size_t end = i + 1;
      while (end < cp932.size() && static_cast<unsigned char>(cp932[end]) < 0x80) ++end;
      out.append(cp932.data() + i, end - i);
      i = end - 1;
    } else if (IsCp932LeadByte(b)) {
      // A lead byte without a proper trail byte decodes alone, so the byte after it (often an
      // ASCII delimiter) keeps its meaning.
      if (i + 1 < cp932.size() && IsCp932TrailByte(static_cast<unsigned char>(cp932[i + 1]))) {
        const auto trail = static_cast<unsigned char>(cp932[++i]);
        AppendUtf8(out, kCp932Double[LeadIndex(b)][trail - 0x40]);
      } else {
        AppendUtf8(out, kReplacement);
      }
    } else {
      AppendUtf8(out, kCp932Single[b]);
    }
  }
  return out;
}

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CountCodePoints(std::string_view utf8) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    DecodeUtf8(utf8, pos);
    ++count;
  }
  return count;
}

std::string FirstCodePoints(std::string_view utf8, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < utf8.size(); ++n) DecodeUtf8(utf8, pos);
  return std::string(utf8.substr(0, pos));
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace qb
