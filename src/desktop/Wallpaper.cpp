#include "desktop/Wallpaper.h"

#include <windows.h>

#include "common/BmpFile.h"
#include "common/FileSystem.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/PictureFile.h"
#include "platform/Registry.h"
#include "platform/WinText.h"
#include "settings/Catalogue.h"
#include "settings/Settings.h"

namespace qb {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kWallpaperValue[] = "Wallpaper";

bool NamesExistingFile(const std::string& path) { return !path.empty() && SystemFileSystem().FileExists(path); }

}  // namespace

std::string GetDesktopWallpaper() { return ReadRegistryString(HKEY_CURRENT_USER, kDesktopKey, kWallpaperValue); }

bool StoreDesktopWallpaper(const std::string& path) {
  if (!NamesExistingFile(path)) return false;
  return WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, kWallpaperValue, path);
}

bool ApplyDesktopWallpaper(const std::string& path) {
  if (!NamesExistingFile(path)) {
    DebugLog("wallpaper not applied, no such file: " + path);
    return false;
  }
  std::wstring wide = Widen(path);
  return Tolerate(SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) !=
                      FALSE,
                  "SystemParametersInfoW SPI_SETDESKWALLPAPER");
}

bool SystemWallpaper::ConvertToBitmap(const std::string& picture, const std::string& bitmapFile) {
  const std::optional<DecodedPicture> decoded = DecodePictureFile(picture);
  if (!decoded) {
    DebugLog("wallpaper picture cannot be decoded: " + picture);
    return false;
  }
  const std::string bytes = EncodeBmp24(decoded->pixels.data(), decoded->width, decoded->height);
  return !bytes.empty() && SystemFileSystem().WriteFileAtomically(bitmapFile, bytes);
}

void RotateWallpaper(const std::string& folder) {
  SystemWallpaper access;
  RotateWallpaper(folder, ExeDir(), SystemFileSystem(), access, WallpaperRandom());
}

void RotateWallpaperAtStartup() {
  if (ReadSetting(keys::WallpaperCheck) != "1") return;
  RotateWallpaper(ReadSetting(keys::WallpaperDir));
}

}  // namespace qb
