#include "settings/IniDocument.h"

#include "common/Text.h"

namespace qb {
namespace {

bool IsCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Where the value starts in a key line's bytes: just after the first '=' that is a character of
// its own (in CP932 a '=' cannot be a trail byte, but the scan stays in step with the decoder).
std::optional<std::size_t> RawValueOffset(std::string_view raw, IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Cp932:
      for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto b = static_cast<unsigned char>(raw[i]);
        if (IsCp932LeadByte(b) && i + 1 < raw.size() && IsCp932Trail(static_cast<unsigned char>(raw[i + 1]))) {
          ++i;
        } else if (b == '=') {
          return i + 1;
        }
      }
      return std::nullopt;
    case IniEncoding::Utf8Bom: {
      const std::size_t at = raw.find('=');
      if (at == std::string_view::npos) return std::nullopt;
      return at + 1;
    }
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: {
      const std::string_view unit = encoding == IniEncoding::Utf16Le ? std::string_view("=\0", 2)
                                                                     : std::string_view("\0=", 2);
      for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        if (raw.substr(i, 2) == unit) return i + 2;
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

struct RawLine {
  std::string_view content;
  std::string_view eol;
};

// Splits at CR LF, a lone CR or a lone LF. For UTF-16 the breaks are whole code units.
std::vector<RawLine> SplitRawLines(std::string_view body, IniEncoding encoding) {
  std::vector<RawLine> lines;
  const bool wide = encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
  const std::size_t unit = wide ? 2 : 1;
  if (wide) body = body.substr(0, body.size() & ~std::size_t{1});  // an odd last byte is no text
  const auto codeAt = [&](std::size_t i) -> unsigned {
    if (!wide) return static_cast<unsigned char>(body[i]);
    const auto a = static_cast<unsigned char>(body[i]);
    const auto b = static_cast<unsigned char>(body[i + 1]);
    return encoding == IniEncoding::Utf16Le ? (b << 8 | a) : (a << 8 | b);
  };
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < body.size()) {
    const unsigned code = codeAt(i);
    if (code != '\r' && code != '\n') {
      i += unit;
      continue;
    }
    std::string_view eol = code == '\n' ? "\n" : "\r";
    std::size_t next = i + unit;
    if (code == '\r' && next < body.size() && codeAt(next) == '\n') {
      eol = "\r\n";
      next += unit;
    }
    lines.push_back({body.substr(start, i - start), eol});
    start = i = next;
  }
  if (start < body.size()) lines.push_back({body.substr(start), ""});
  return lines;
}

bool IsCommentLine(std::string_view text) {
  const std::string_view trimmed = TrimIniBlanks(text);
  return !trimmed.empty() && trimmed.front() == ';';
}

bool HasUnsafeCharacter(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  const IniEncodingInfo info = DetectIniEncoding(bytes);
  doc.encoding_ = info.encoding;
  bool styleKnown = false;
  for (const RawLine& raw : SplitRawLines(bytes.substr(info.bomSize), info.encoding)) {
    doc.lines_.push_back({DecodeIniText(raw.content, info.encoding), std::string(raw.content), raw.eol});
    if (!styleKnown && !raw.eol.empty()) {
      doc.newline_ = raw.eol;
      styleKnown = true;
    }
  }
  return doc;
}

bool IniDocument::IsStorableSectionName(std::string_view name) {
  name = TrimIniBlanks(name);
  return !name.empty() && !HasUnsafeCharacter(name) && name.find(']') == std::string_view::npos;
}

bool IniDocument::IsStorableKeyName(std::string_view name) {
  name = TrimIniBlanks(name);
  return !name.empty() && !HasUnsafeCharacter(name) && name.find('=') == std::string_view::npos &&
         name.front() != '[';
}

std::string IniDocument::SanitizeValue(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' || value[i] == '\n') {
      if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += value[i];
    }
  }
  return Utf16ToUtf8(Utf8ToUtf16(out));
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const IniLine line = ClassifyIniLine(lines_[i].text);
    if (line.kind == IniLineKind::Section && IniNamesEqual(line.name, section)) return i;
  }
  return std::nullopt;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && ClassifyIniLine(lines_[i].text).kind != IniLineKind::Section) ++i;
  return i;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const IniLine line = ClassifyIniLine(lines_[i].text);
    if (line.kind == IniLineKind::Key && IniNamesEqual(line.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Lookup(std::string_view sectionName, std::string_view keyName) const {
  const std::string section = CleanIniName(sectionName);
  const std::string key = CleanIniName(keyName);
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const auto at = FindKey(*header, key);
  if (!at) return std::nullopt;
  const IniLine line = ClassifyIniLine(lines_[*at].text);
  if (!line.value) return std::nullopt;
  return std::string(UnquoteIniValue(*line.value));
}

void IniDocument::RequireEncodable(std::string_view text) {
  if (encoding_ == IniEncoding::Cp932 && !Utf8ToCp932(text)) {
    // Lossless from here on: UTF-16LE with a byte-order mark, which the profile functions read.
    encoding_ = IniEncoding::Utf16Le;
    reencode_ = true;
  }
}

void IniDocument::EnsureFinalLineBreak() {
  if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = newline_;
}

void IniDocument::Insert(std::size_t index, std::string text) {
  RequireEncodable(text);
  if (index == lines_.size()) EnsureFinalLineBreak();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), std::nullopt, newline_});
}

bool IniDocument::Set(std::string_view sectionName, std::string_view keyName, std::string_view value) {
  if (!IsStorableSectionName(sectionName) || !IsStorableKeyName(keyName)) return false;
  const std::string section = CleanIniName(sectionName);
  const std::string key = CleanIniName(keyName);
  const std::string clean = SanitizeValue(value);

  const auto header = FindSection(section);
  if (!header) {
    Insert(lines_.size(), "[" + section + "]");
    Insert(lines_.size(), key + "=" + clean);
    return true;
  }
  if (const auto at = FindKey(*header, key)) {
    Line& line = lines_[*at];
    const std::size_t equals = line.text.find('=');
    std::string prefix;
    if (equals == std::string::npos) {
      // A bare name without '=' becomes a proper key line.
      std::string_view bare = line.text;
      while (!bare.empty() && IsIniBlank(bare.back())) bare.remove_suffix(1);
      prefix = std::string(bare) + "=";
    } else {
      prefix = line.text.substr(0, equals + 1);
    }
    RequireEncodable(clean);
    std::optional<std::string> raw;
    if (!reencode_ && line.raw && equals != std::string::npos) {
      // Keep the key's own bytes; only the value is new.
      const auto offset = RawValueOffset(*line.raw, encoding_);
      const auto encoded = EncodeIniText(clean, encoding_);
      if (offset && encoded) raw = line.raw->substr(0, *offset) + *encoded;
    }
    line.text = prefix + clean;
    line.raw = std::move(raw);
    if (!line.raw) RequireEncodable(line.text);
    return true;
  }
  // After the section's last key line, so that blank lines and comments in front of the next
  // section stay where they are.
  std::size_t insertAt = *header + 1;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (ClassifyIniLine(lines_[i].text).kind == IniLineKind::Key && !IsCommentLine(lines_[i].text)) {
      insertAt = i + 1;
    }
  }
  if (insertAt > 0 && lines_[insertAt - 1].eol.empty()) lines_[insertAt - 1].eol = newline_;
  Insert(insertAt, key + "=" + clean);
  return true;
}

bool IniDocument::Remove(std::string_view sectionName, std::string_view keyName) {
  const std::string section = CleanIniName(sectionName);
  const std::string key = CleanIniName(keyName);
  if (section.empty() || key.empty()) return false;
  const auto header = FindSection(section);
  if (!header) return false;
  const auto at = FindKey(*header, key);
  if (!at) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
  return true;
}

std::string IniDocument::Serialize() const {
  std::string out(IniByteOrderMark(encoding_));
  for (const Line& line : lines_) {
    if (line.raw && !reencode_) {
      out += *line.raw;
    } else if (auto encoded = EncodeIniText(line.text, encoding_)) {
      out += *encoded;
    }
    if (!line.eol.empty()) out += EncodeIniText(line.eol, encoding_).value_or(std::string(line.eol));
  }
  return out;
}

}  // namespace qb
