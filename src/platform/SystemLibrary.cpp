#include "platform/SystemLibrary.h"

#include <map>
#include <string>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

namespace {

HMODULE LoadSystemLibrary(const wchar_t* library) {
  // From the system folder only; Windows 7 without its loader update refuses the flag, and the
  // libraries asked for here are known DLLs that Windows always takes from there.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(library);
  return module;
}

}  // namespace

FARPROC SystemFunction(const wchar_t* library, const char* name) {
  // Window thread only, like everything that shows a dialog or talks to a device.
  static std::map<std::wstring, HMODULE> loaded;
  auto it = loaded.find(library);
  if (it == loaded.end()) it = loaded.emplace(library, LoadSystemLibrary(library)).first;
  if (!Tolerate(it->second != nullptr, "LoadLibraryExW(" + Narrow(library) + ")")) return nullptr;
  const FARPROC function = GetProcAddress(it->second, name);
  Tolerate(function != nullptr, std::string("GetProcAddress(") + name + ")");
  return function;
}

}  // namespace qb
