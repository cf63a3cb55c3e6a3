#pragma once
// Text values of the registry, through the Unicode functions, read whole whatever their length.
#include <windows.h>

#include <string>

namespace qb {

// The text of value `name` of `root`\`subKey` (REG_SZ, or REG_EXPAND_SZ with its variables
// expanded); empty when the key or value is missing or holds no text.
std::string ReadRegistryString(HKEY root, const std::string& subKey, const std::string& name);

// Writes `text` as REG_SZ value `name` of `root`\`subKey`, creating the key when it is missing.
// True when written.
bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name, const std::string& text);

}  // namespace qb
