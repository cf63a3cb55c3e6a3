#include "harness/DesktopWallpaper.h"

#include <windows.h>

#include <vector>

namespace qb::e2e {

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kWallpaperValue[] = L"Wallpaper";

}  // namespace

std::wstring RegistryWallpaper() {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kWallpaperValue, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kWallpaperValue, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  return buffer.data();
}

bool SetUserWallpaper(const std::wstring& path) {
  std::wstring copy = path;
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, copy.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != FALSE;
}

WallpaperGuard::WallpaperGuard() : saved_(RegistryWallpaper()) {}

WallpaperGuard::~WallpaperGuard() {
  // The registry first: the system refuses some files (a missing one) but the value must come back.
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kWallpaperValue, REG_SZ, saved_.c_str(),
                  static_cast<DWORD>((saved_.size() + 1) * sizeof(wchar_t)));
  std::wstring copy = saved_;
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, copy.data(), SPIF_SENDWININICHANGE);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace qb::e2e
