#include "platform/ShellOpen.h"

#include <objbase.h>
#include <shellapi.h>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

bool OpenWithShell(HWND owner, const std::string& path) {
  // Shell extensions that an open may load can need COM on this thread (ShellExecute's
  // documentation asks for it); the program's thread keeps no apartment of its own otherwise.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, nullptr, Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (SUCCEEDED(com)) CoUninitialize();
  // Values up to 32 are error codes.
  if (result <= 32) {
    LogWin32Failure("ShellExecuteW", static_cast<DWORD>(result));
    return false;
  }
  return true;
}

}  // namespace qb
