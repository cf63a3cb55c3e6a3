#pragma once
// A realistic Quorbell.ini for the settings benchmarks: every catalogued key with a value (memo
// texts and launcher entries in Japanese), about 300 keys, as CP932 bytes.
#include <string>
#include <vector>

#include "common/Text.h"
#include "settings/Catalogue.h"

namespace qb::bench {

inline std::vector<SettingKey> BenchKeys() {
  std::vector<SettingKey> keys = qb::keys::AllCatalogued();
  for (int n = 1; n <= 40; ++n) keys.push_back({"History", "Item" + std::to_string(n), ""});
  return keys;
}

inline std::string BenchValue(const SettingKey& key, int index) {
  if (key.key.rfind("MEMO", 0) == 0) {
    return "\xE4\xBC\x9A\xE8\xAD\xB0\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2@@\xE8\xA1\xA8\xE3\x82\xBD"
           "\xE8\x83\xBD@@item " + std::to_string(index);  // 会議のメモ@@表ソ能@@item n
  }
  if (key.section == "APPPATH") return "C:\\Program Files\\Tool" + std::to_string(index) + "\\tool.exe /x";
  if (key.section == "APPNAME") return "\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB " + std::to_string(index);  // ツール n
  if (!key.defaultValue.empty()) return key.defaultValue;
  return std::to_string(index * 37 % 1000);
}

// The file as the settings dialog would leave it: sections in catalogue order, CRLF lines.
inline std::string BenchFileBytes() {
  std::string text;
  std::string section;
  int index = 0;
  for (const SettingKey& key : BenchKeys()) {
    if (key.section != section) {
      section = key.section;
      text += "[" + section + "]\r\n";
    }
    text += key.key + "=" + BenchValue(key, index++) + "\r\n";
  }
  return Utf8ToCp932(text).value_or(text);
}

}  // namespace qb::bench
