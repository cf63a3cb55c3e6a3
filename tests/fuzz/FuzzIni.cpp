// Fuzzes the settings engine with arbitrary files and edits.
//
// Input: the file's bytes, optionally followed by "\n--ops--\n" and one edit per line:
//   s<section>|<key>|<value>   WriteSetting        r<section>|<key>   WriteSetting(unset)
//   g<section>|<key>|<default> ReadSetting
// In the fields "\n", "\r" and "\0" stand for LF, CR and NUL. Without edits a fixed set is applied.
//
// Invariants: nothing crashes; a file parsed and written back without edits is the same bytes; the
// quick lookup and the document agree; after every edit the written file reads back the value as
// stored (so no line break ever got into the file); reads are valid UTF-8 of at most 4095 CP932
// bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FakeFileSystem.h"
#include "FuzzSupport.h"
#include "common/FileSystem.h"
#include "common/Text.h"
#include "settings/IniDocument.h"
#include "settings/IniText.h"
#include "settings/Settings.h"

namespace {

using namespace qb;

using fuzz::Check;
using fuzz::IsValidUtf8;
using MemoryFileSystem = test::FakeFileSystem;

std::string Unescape(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 1 < field.size()) {
      const char next = field[i + 1];
      if (next == 'n' || next == 'r' || next == '0') {
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\0';
        ++i;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < 2) {
    const std::size_t bar = line.find('|', start);
    if (bar == std::string_view::npos) break;
    fields.push_back(Unescape(line.substr(start, bar - start)));
    start = bar + 1;
  }
  fields.push_back(Unescape(line.substr(start)));
  return fields;
}

std::size_t Cp932Measure(const std::string& text) {
  std::size_t bytes = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string one = FirstCodePoints(std::string_view(text).substr(pos), 1);
    const auto cp932 = Utf8ToCp932(one);
    bytes += cp932 ? cp932->size() : one.size();
    pos += one.size();
  }
  return bytes;
}

void CheckRoundTrip(std::string_view bytes) {
  const IniDocument doc = IniDocument::Parse(bytes);
  const std::string out = doc.Serialize();
  const IniEncoding encoding = doc.encoding();
  const bool wide = encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
  const std::string_view expected = wide && bytes.size() % 2 ? bytes.substr(0, bytes.size() - 1) : bytes;
  Check(out == expected, "parse and serialize without edits changes the bytes");
}

void CheckLookupAgrees(const std::string& bytes, const std::string& section, const std::string& key) {
  const IniDocument doc = IniDocument::Parse(bytes);
  Check(doc.Lookup(section, key) == LookupIniValue(bytes, TrimIniBlanks(section), TrimIniBlanks(key)),
        "document and quick lookup disagree");
}

void Write(MemoryFileSystem& fs, const std::string& section, const std::string& key,
           const std::optional<std::string>& value) {
  const std::string before = fs.files.count("q.ini") ? fs.files["q.ini"] : std::string();
  WriteSetting(section, key, value ? std::optional<std::string_view>(*value) : std::nullopt);
  const std::string after = fs.files.count("q.ini") ? fs.files["q.ini"] : std::string();
  CheckRoundTrip(after);
  CheckLookupAgrees(after, section, key);
  if (!value || !IniDocument::IsStorableSectionName(section) || !IniDocument::IsStorableKeyName(key)) return;
  // What the file must now hold for this key: the value as stored, read by the lookup rules.
  IniDocument doc = IniDocument::Parse(before);
  Check(doc.Set(section, key, *value), "a storable name was refused");
  const std::string stored = IniDocument::SanitizeValue(*value);
  Check(stored.find_first_of("\r\n") == std::string::npos, "a line break survived");
  const auto read = LookupIniValue(after, TrimIniBlanks(section), TrimIniBlanks(key));
  Check(read.has_value(), "a written key is missing");
  Check(*read == std::string(UnquoteIniValue(TrimIniBlanks(stored))), "a written value reads back differently");
  if (stored == *value && TrimIniBlanks(stored) == stored && UnquoteIniValue(stored) == stored) {
    Check(*read == *value, "a representable value did not read back as written");
  }
}

void Read(const std::string& section, const std::string& key, const std::string& def) {
  const std::string value = ReadSetting(section, key, def);
  Check(IsValidUtf8(value) || value == def.substr(0, value.size()), "a read returned broken UTF-8");
  Check(Cp932Measure(value) <= 4095, "a read is longer than 4095 bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFileSystem fs;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view marker = "\n--ops--\n";
  const std::size_t split = input.find(marker);
  const std::string file(input.substr(0, split));

  CheckRoundTrip(file);
  fs.files.clear();
  fs.files["q.ini"] = file;
  UseSettingsFile("q.ini", fs);

  if (split == std::string_view::npos) {
    const IniDocument doc = IniDocument::Parse(file);
    Read("A", "x", "def");
    Write(fs, "A", "x", "v");
    Write(fs, "FONT", "Color", "255");
    Write(fs, "A", "memo", "\xE8\xA1\xA8\xE3\x82\xBD\r\nx=evil\n\xF0\x9F\x98\x80");
    Write(fs, "a", "X", std::nullopt);
    Read("a", "memo", "def");
    return 0;
  }
  std::size_t pos = split + marker.size();
  while (pos <= input.size()) {
    std::size_t end = input.find('\n', pos);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view line = input.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    const std::vector<std::string> f = Fields(line.substr(1));
    const std::string section = f[0];
    const std::string key = f.size() > 1 ? f[1] : std::string();
    const std::string third = f.size() > 2 ? f[2] : std::string();
    switch (line[0]) {
      case 's': Write(fs, section, key, third); break;
      case 'r': Write(fs, section, key, std::nullopt); break;
      case 'g': Read(section, key, third); break;
      default: CheckLookupAgrees(fs.files["q.ini"], section, key); break;
    }
  }
  return 0;
}
