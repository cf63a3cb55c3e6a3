#include "platform/Registry.h"

#include <vector>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

std::string ReadRegistryString(HKEY root, const std::string& subKey, const std::string& name) {
  const std::wstring key = Widen(subKey);
  const std::wstring value = Widen(name);
  // REG_EXPAND_SZ passes this filter too, expanded to REG_SZ (naming it as well without
  // RRF_NOEXPAND is refused as an invalid parameter).
  constexpr DWORD kFlags = RRF_RT_REG_SZ;
  const auto failed = [](LONG status) {
    if (status != ERROR_FILE_NOT_FOUND) LogWin32Failure("RegGetValueW", static_cast<DWORD>(status));
    return std::string();
  };
  // The value may grow between asking its size and reading it: ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = 0;
    LONG status = RegGetValueW(root, key.c_str(), value.c_str(), kFlags, nullptr, nullptr, &bytes);
    if (status != ERROR_SUCCESS) return failed(status);
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    status = RegGetValueW(root, key.c_str(), value.c_str(), kFlags, nullptr, buffer.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return failed(status);
    buffer.back() = L'\0';
    return Narrow(buffer.data());
  }
  DebugLog("RegGetValueW: the value kept changing size");
  return {};
}

bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name, const std::string& text) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(root, Widen(subKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    LogWin32Failure("RegCreateKeyExW", static_cast<DWORD>(status));
    return false;
  }
  const std::wstring data = Widen(text);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  status = RegSetValueExW(key, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    LogWin32Failure("RegSetValueExW", static_cast<DWORD>(status));
    return false;
  }
  return true;
}

}  // namespace qb
