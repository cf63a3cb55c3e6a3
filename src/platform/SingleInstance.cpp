#include "platform/SingleInstance.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

#include "platform/DebugLog.h"
#include "platform/WinText.h"

namespace qb {

namespace {

std::string SidOfProcessUser() {
  HANDLE rawToken = nullptr;
  if (!Tolerate(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken) != FALSE, "OpenProcessToken")) return {};
  UniqueHandle token(rawToken);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);  // asks for the size only
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  if (!Tolerate(GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) != FALSE,
                "GetTokenInformation"))
    return {};
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  wchar_t* text = nullptr;
  if (!Tolerate(ConvertSidToStringSidW(user->User.Sid, &text) != FALSE, "ConvertSidToStringSidW")) return {};
  std::string sid = Narrow(text);
  LocalFree(text);
  return sid;
}

std::string UserName() {
  wchar_t buffer[257];  // UNLEN + 1
  DWORD size = static_cast<DWORD>(std::size(buffer));
  if (!Tolerate(GetUserNameW(buffer, &size) != FALSE, "GetUserNameW") || size == 0) return {};
  return Narrow(std::wstring_view(buffer, size - 1));
}

}  // namespace

std::string CurrentUserIdentity() {
  std::string sid = SidOfProcessUser();
  return sid.empty() ? UserName() : sid;
}

InstanceMutex InstanceMutex::Claim(const std::string& name) {
  InstanceMutex m;
  m.handle_.reset(CreateMutexW(nullptr, FALSE, Widen(name).c_str()));
  const DWORD error = GetLastError();
  if (m.handle_) {
    m.existed_ = error == ERROR_ALREADY_EXISTS;
  } else {
    // Access denied means the object exists but belongs to someone we may not open it as: an
    // instance is running. Any other failure must not keep the program from starting.
    LogWin32Failure("CreateMutexW", error);
    m.existed_ = error == ERROR_ACCESS_DENIED;
  }
  return m;
}

}  // namespace qb
