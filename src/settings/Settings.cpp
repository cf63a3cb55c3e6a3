#include "settings/Settings.h"

#include "common/Text.h"
#include "settings/IniDocument.h"

namespace qb {
namespace {

// The read buffer of the profile functions holds 4096 bytes including the terminator.
constexpr std::size_t kMaxReadBytes = 4095;

struct SettingsTarget {
  std::string path = "Quorbell.ini";
  FileSystem* fs = nullptr;
};

SettingsTarget& Target() {
  static SettingsTarget target;
  return target;
}

FileSystem& TargetFileSystem() {
  SettingsTarget& target = Target();
  return target.fs ? *target.fs : SystemFileSystem();
}

std::string_view BeforeNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Cuts to what a 4096-byte ANSI buffer would hold on Japanese Windows: bytes are counted in
// CP932 (a character without a CP932 form counts its UTF-8 bytes) and no character is split.
std::string CutForRead(std::string_view text) {
  text = BeforeNul(text);
  // No character is longer in CP932 than in UTF-8, so short texts need no measuring.
  if (text.size() <= kMaxReadBytes) return std::string(text);
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string next = FirstCodePoints(text.substr(pos), 1);
    const auto cp932 = Utf8ToCp932(next);
    const std::size_t cost = cp932 ? cp932->size() : next.size();
    if (used + cost > kMaxReadBytes) break;
    used += cost;
    pos += next.size();
  }
  return std::string(text.substr(0, pos));
}

}  // namespace

void UseSettingsFile(std::string path, FileSystem& fs) {
  Target().path = std::move(path);
  Target().fs = &fs;
}

const std::string& SettingsFilePath() { return Target().path; }

std::string ReadWholeSetting(std::string_view section, std::string_view key, std::string_view def) {
  section = BeforeNul(section);
  key = BeforeNul(key);
  if (!IniDocument::IsStorableSectionName(section) || !IniDocument::IsStorableKeyName(key)) {
    return std::string(BeforeNul(def));
  }
  const auto bytes = TargetFileSystem().ReadFile(Target().path);
  if (!bytes) return std::string(BeforeNul(def));
  const auto value = LookupIniValue(*bytes, section, key);
  return std::string(BeforeNul(value ? *value : def));
}

std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def) {
  return CutForRead(ReadWholeSetting(section, key, def));
}

namespace {

// Reads the file, lets `change` edit it and writes it back when anything changed. `change`
// answers whether it changed the document; `creates` whether a missing file may be created.
template <class Change>
void UpdateSettingsFile(bool creates, Change change) {
  FileSystem& fs = TargetFileSystem();
  const std::string& path = Target().path;

  const auto bytes = fs.ReadFile(path);
  // A file that exists but cannot be read now (locked, no permission) must not be replaced by one
  // that holds only these values.
  if (!bytes && fs.FileExists(path)) return;
  if (!bytes && !creates) return;

  IniDocument doc = IniDocument::Parse(bytes.value_or(std::string()));
  if (!change(doc)) return;
  const std::string updated = doc.Serialize();
  if (bytes && updated == *bytes) return;
  if (!bytes) {
    const std::string dir = ParentPath(path);
    if (!dir.empty() && !fs.DirectoryExists(dir)) (void)fs.CreateDirectories(dir);
  }
  // A failed write leaves the old file whole and is otherwise ignored, like every settings write.
  (void)fs.WriteFileAtomically(path, updated);
}

}  // namespace

void WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value) {
  // The names and the value arrive as C strings at the file, so a NUL ends them.
  section = BeforeNul(section);
  key = BeforeNul(key);
  if (!IniDocument::IsStorableSectionName(section) || !IniDocument::IsStorableKeyName(key)) return;
  UpdateSettingsFile(value.has_value(), [&](IniDocument& doc) {
    return value ? doc.Set(section, key, *value) : doc.Remove(section, key);
  });
}

void WriteSettings(std::string_view section, std::initializer_list<SettingValue> values) {
  WriteSettings(section, std::span<const SettingValue>(values.begin(), values.size()));
}

void WriteSettings(std::string_view section, std::span<const SettingValue> values) {
  section = BeforeNul(section);
  if (!IniDocument::IsStorableSectionName(section)) return;
  UpdateSettingsFile(true, [&](IniDocument& doc) {
    bool changed = false;
    for (const SettingValue& v : values) {
      const std::string_view key = BeforeNul(v.key);
      if (IniDocument::IsStorableKeyName(key)) changed = doc.Set(section, key, v.value) || changed;
    }
    return changed;
  });
}

std::string ReadSetting(const SettingKey& key) { return ReadSetting(key.section, key.key, key.defaultValue); }

std::string ReadWholeSetting(const SettingKey& key) {
  return ReadWholeSetting(key.section, key.key, key.defaultValue);
}

void WriteSetting(const SettingKey& key, std::optional<std::string_view> value) {
  WriteSetting(key.section, key.key, value);
}

}  // namespace qb
