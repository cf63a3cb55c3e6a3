#include "platform/Paths.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

#include "platform/ComApartment.h"
#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

namespace {

struct CoTaskMemDeleter {
  void operator()(wchar_t* p) const noexcept { FreeComMemory(p); }
};

}  // namespace

std::string ExePath() {
  // GetModuleFileNameW truncates silently; grow until the whole path fits (long paths exceed
  // MAX_PATH).
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      Tolerate(false, "GetModuleFileNameW");
      return {};
    }
    if (n < buffer.size()) {
      buffer.resize(n);
      return Narrow(buffer);
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExeDir() {
  const std::string path = ExePath();
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string AppDataDir() {
  // The older call first: the newer one hands its answer over in COM memory, and COM's libraries
  // are more to load at start-up than everything else the program needs there. Its answer is
  // limited to MAX_PATH; a longer folder is asked of the newer call.
  wchar_t buffer[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)) && buffer[0] != L'\0') {
    return Narrow(buffer);
  }
  wchar_t* raw = nullptr;
  const HRESULT hr = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &raw);
  std::unique_ptr<wchar_t, CoTaskMemDeleter> path(raw);  // freed even on failure, as documented
  if (FAILED(hr) || raw == nullptr) {
    LogWin32Failure("SHGetKnownFolderPath", static_cast<DWORD>(hr));
    return {};
  }
  return Narrow(raw);
}

std::string WindowsDir() {
  wchar_t buffer[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(buffer, static_cast<UINT>(std::size(buffer)));
  if (!Tolerate(n > 0 && n < std::size(buffer), "GetWindowsDirectoryW")) return {};
  return Narrow(std::wstring_view(buffer, n));
}

}  // namespace qb
