#pragma once
// An editable Quorbell.ini. Every line that an edit does not touch is written back byte for byte,
// so comments, blank lines, spacing and the file's own encoding and line breaks survive.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniText.h"

namespace qb {

class IniDocument {
public:
  // Any bytes are accepted; an empty text is an empty CP932 file.
  static IniDocument Parse(std::string_view bytes);

  IniEncoding encoding() const { return encoding_; }
  std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;

  // Stores the value under the first matching key of the first matching section, adding the
  // section at the end of the file or the key after the section's last key line when missing.
  // The value is stored as given except that it is cut at a NUL character, each line break
  // (CR LF, CR or LF) becomes one blank and malformed UTF-8 becomes U+FFFD. A value the file's
  // encoding cannot hold turns a CP932 file into UTF-16LE with a byte-order mark. Returns false
  // and changes nothing when a name cannot be stored (see IsStorableSectionName).
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes the first matching key line of the first matching section; false when there is none.
  bool Remove(std::string_view section, std::string_view key);

  std::string Serialize() const;

  // Names are trimmed of blanks before use. A name is unusable when it is empty or holds a line
  // break or NUL; a section name also when it holds ']', a key name when it holds '=' or starts
  // with '[' (the line would read back as something else).
  static bool IsStorableSectionName(std::string_view name);
  static bool IsStorableKeyName(std::string_view name);
  // The value as Set stores it.
  static std::string SanitizeValue(std::string_view value);

private:
  struct Line {
    std::string text;               // UTF-8, without the line break
    std::optional<std::string> raw;  // the bytes as read; none once the line is new or edited
    std::string_view eol;           // "\r\n", "\n", "\r", or "" for a last line without one
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  void EnsureFinalLineBreak();
  void Insert(std::size_t index, std::string text);
  void RequireEncodable(std::string_view text);

  IniEncoding encoding_ = IniEncoding::Cp932;
  bool reencode_ = false;  // the encoding changed: every line is written from its text
  std::string_view newline_ = "\r\n";
  std::vector<Line> lines_;
};

}  // namespace qb
