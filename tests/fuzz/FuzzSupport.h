#pragma once
// What every fuzz target shares: a broken property stops the run with its name, so that libFuzzer
// keeps the input that broke it.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"

namespace qb::fuzz {

inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

inline bool IsValidUtf8(std::string_view text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

// Splits the input at NUL bytes into at most `count` fields (missing ones are empty), so that one
// input can feed several values.
inline std::vector<std::string> SplitFields(std::string_view input, std::size_t count) {
  std::vector<std::string> fields;
  while (fields.size() + 1 < count) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) break;
    fields.emplace_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  fields.emplace_back(input);
  fields.resize(count);
  return fields;
}

// Every line break (CR LF, a lone CR, a lone LF) as CR LF.
inline std::string CrLfLineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace qb::fuzz
