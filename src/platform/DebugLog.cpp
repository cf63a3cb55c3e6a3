#include "platform/DebugLog.h"

#include <exception>
#include <memory>
#include <string>

#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb {

namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t* p) const noexcept { LocalFree(p); }
};

std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::unique_ptr<wchar_t, LocalFreeDeleter> owner(buffer);
  if (length == 0 || buffer == nullptr) return {};
  std::wstring_view text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.remove_suffix(1);
  return Narrow(text);
}

void AppendToLogFile(const std::wstring& path, const std::string& line) {
  UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void DebugLog(std::string_view line) noexcept {
  try {
    // The last error belongs to the caller; logging must not change it.
    const DWORD savedError = GetLastError();
    const std::string full = "Quorbell[" + std::to_string(GetCurrentProcessId()) + "] " + std::string(line) + "\r\n";
    OutputDebugStringW(Widen(full).c_str());
    wchar_t path[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(L"QUORBELL_LOG", path, static_cast<DWORD>(std::size(path)));
    if (n > 0 && n < std::size(path)) AppendToLogFile(path, full);
    SetLastError(savedError);
  } catch (...) {
    // Out of memory while logging: nothing sensible is left to do.
  }
}

void LogWin32Failure(std::string_view call, DWORD error) noexcept {
  try {
    DebugLog(std::string(call) + " failed: " + std::to_string(error) + " " + SystemErrorText(error));
  } catch (...) {
  }
}

bool Tolerate(bool ok, std::string_view call) noexcept {
  if (!ok) LogWin32Failure(call, GetLastError());
  return ok;
}

void LogCurrentException(std::string_view where) noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      DebugLog(std::string(where) + ": exception: " + e.what());
    } catch (...) {
      DebugLog(std::string(where) + ": unknown exception");
    }
  } catch (...) {
  }
}

}  // namespace qb
