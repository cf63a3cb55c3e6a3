#include "platform/FileIcons.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/WinText.h"

namespace qb {

UniqueIcon FirstIconOf(const std::string& file, int size) {
  const std::wstring path = Widen(file);
  HICON large = nullptr;
  if (size > 0 && size != GetSystemMetrics(SM_CXICON)) {
    // Another size than the system's: the shell picks the file's image nearest to it.
    if (SHDefExtractIconW(path.c_str(), 0, 0, &large, nullptr, static_cast<UINT>(size)) == S_OK && large != nullptr)
      return UniqueIcon(large);
    large = nullptr;
  }
  // The answer is the number of icons taken, or UINT_MAX when the file cannot be read; either
  // way the handle tells.
  (void)ExtractIconExW(path.c_str(), 0, &large, nullptr, 1);
  return UniqueIcon(large);
}

}  // namespace qb
