#include "platform/WinText.h"

#include <windows.h>

#include <climits>

namespace qb {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > static_cast<size_t>(INT_MAX)) return {};
  const int inLen = static_cast<int>(utf8.size());
  // Without MB_ERR_INVALID_CHARS the conversion replaces malformed sequences with U+FFFD.
  const int outLen = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, nullptr, 0);
  if (outLen <= 0) return {};
  std::wstring out(static_cast<size_t>(outLen), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, out.data(), outLen);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > static_cast<size_t>(INT_MAX)) return {};
  const int inLen = static_cast<int>(utf16.size());
  // CP_UTF8 turns unpaired surrogates into U+FFFD (Vista and later).
  const int outLen = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLen, nullptr, 0, nullptr, nullptr);
  if (outLen <= 0) return {};
  std::string out(static_cast<size_t>(outLen), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLen, out.data(), outLen, nullptr, nullptr);
  return out;
}

}  // namespace qb
