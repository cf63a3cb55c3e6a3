#include "platform/FileIcons.h"

#include <shellapi.h>

#include "platform/WinText.h"

namespace qb {

UniqueIcon FirstIconOf(const std::string& file) {
  HICON large = nullptr;
  // The answer is the number of icons taken, or UINT_MAX when the file cannot be read; either
  // way the handle tells.
  (void)ExtractIconExW(Widen(file).c_str(), 0, &large, nullptr, 1);
  return UniqueIcon(large);
}

}  // namespace qb
