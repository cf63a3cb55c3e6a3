#pragma once
// ReadSetting and WriteSetting: the only way any part of the program touches Quorbell.ini.
// Nothing is cached; every call reads (and every write replaces) the file as it is now.
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/FileSystem.h"
#include "settings/Catalogue.h"

namespace qb {

// Which file and file system the two operations work on. Start-up calls this once after
// resolving the location; until then (and in tests that never call it) the operations work on
// "Quorbell.ini" in the current directory through SystemFileSystem().
void UseSettingsFile(std::string path, FileSystem& fs);
const std::string& SettingsFilePath();

// Returns the stored value (blanks and one pair of enclosing quotes dropped, at most 4095 bytes
// in CP932 terms, never cut inside a character) or `def` when the file, section or key is absent.
std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def);
// ReadSetting without the 4095-byte cut, for the texts the user typed (memos, clipboard slots,
// macros), which must come back whole whatever their length.
std::string ReadWholeSetting(std::string_view section, std::string_view key, std::string_view def);
std::string ReadWholeSetting(const SettingKey& key);
// A value of nullopt ("unset") removes the key; an empty text stores the key with an empty value.
void WriteSetting(std::string_view section, std::string_view key, std::optional<std::string_view> value);

// Several values of one section in one replacement of the file: all of them land, or (when the
// write fails) none. Cheaper than one WriteSetting each, and a crash cannot separate them.
struct SettingValue {
  std::string_view key;
  std::string_view value;
};
void WriteSettings(std::string_view section, std::initializer_list<SettingValue> values);
void WriteSettings(std::string_view section, std::span<const SettingValue> values);

// Catalogue-aware forms: the default is the catalogue's.
std::string ReadSetting(const SettingKey& key);
void WriteSetting(const SettingKey& key, std::optional<std::string_view> value);

}  // namespace qb
