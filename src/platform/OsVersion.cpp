#include "platform/OsVersion.h"

#include <windows.h>

#include "platform/DebugLog.h"

namespace qb {

int GetOsMajorVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, but with the manifest it answers what is needed
#endif
  const BOOL ok = GetVersionExW(&info);
  if (!Tolerate(ok != FALSE, "GetVersionExW")) return 0;
  return static_cast<int>(info.dwMajorVersion);
}

}  // namespace qb
