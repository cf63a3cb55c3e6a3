#include "platform/MessageBox.h"

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  const int result = MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), type);
  Tolerate(result != 0, "MessageBoxW");
  return result;
}

}  // namespace qb
