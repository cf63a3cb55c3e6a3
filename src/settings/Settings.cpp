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

std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def) {
  section = BeforeNul(section);
  key = BeforeNul(key);
  if (!IniDocument::IsStorableSectionName(section) || !IniDocument::IsStorableKeyName(key)) {
    return CutForRead(def);
  }
  const auto bytes = TargetFileSystem().ReadFile(Target().path);
  if (!bytes) return CutForRead(def);
  const auto value = LookupIniValue(*bytes, section, key);
  return CutForRead(value ? *value : def);
}

void WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value) {
  // The names and the value arrive as C strings at the file, so a NUL ends them.
  section = BeforeNul(section);
  key = BeforeNul(key);
  if (!IniDocument::IsStorableSectionName(section) || !IniDocument::IsStorableKeyName(key)) return;
  FileSystem& fs = TargetFileSystem();
  const std::string& path = Target().path;

  const auto bytes = fs.ReadFile(path);
  // A file that exists but cannot be read now (locked, no permission) must not be replaced by one
  // that holds only this value.
  if (!bytes && fs.FileExists(path)) return;
  if (!bytes && !value) return;

  IniDocument doc = IniDocument::Parse(bytes.value_or(std::string()));
  const bool changed = value ? doc.Set(section, key, *value) : doc.Remove(section, key);
  if (!changed) return;
  const std::string updated = doc.Serialize();
  if (bytes && updated == *bytes) return;
  if (!bytes) {
    const std::string dir = ParentPath(path);
    if (!dir.empty() && !fs.DirectoryExists(dir)) (void)fs.CreateDirectories(dir);
  }
  // A failed write leaves the old file whole and is otherwise ignored, like every settings write.
  (void)fs.WriteFileAtomically(path, updated);
}

std::string ReadSetting(const SettingKey& key) { return ReadSetting(key.section, key.key, key.defaultValue); }

void WriteSetting(const SettingKey& key, std::optional<std::string_view> value) {
  WriteSetting(key.section, key.key, value);
}

}  // namespace qb
