// The wallpaper access on the real registry and wallpaper service of the bed (a private prefix):
// values read whole whatever their length, nothing stored or applied for a file that is missing,
// pictures converted to the bitmap the shell shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "desktop/Wallpaper.h"
#include "common/Text.h"
#include "harness/DesktopWallpaper.h"
#include "harness/Files.h"
#include "platform/Registry.h"
#include "platform/WinText.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

class RegistryText : public testing::Test {
protected:
  ~RegistryText() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key).c_str()); }
  const std::string key = "Software\\Quorbell tests\\registry " + std::to_string(GetCurrentProcessId());
};

TEST_F(RegistryText, RoundTripsWholeValuesOfAnyLength) {
  for (const std::string& text : {std::string(), std::string("C:\\壁紙\\海.bmp"), std::string(254, 'a'),
                                  std::string(255, 'b'), "D:\\" + std::string(600, 'x') + "\\深い.bmp"}) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, key, "Wallpaper", text));
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, "Wallpaper"), text) << text.size() << " bytes";
  }
}

TEST_F(RegistryText, MissingKeyOrValueOrANumberReadsEmpty) {
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key + "\\none", "Wallpaper"), "");
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, key, "Other", "x"));
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, "Wallpaper"), "");
  const DWORD number = 7;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), L"Number", REG_DWORD, &number, sizeof number),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, "Number"), "");
}

TEST_F(RegistryText, ExpandableTextComesBackExpanded) {
  const std::wstring value = L"%SystemRoot%\\web.bmp";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), L"Wallpaper", REG_EXPAND_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  wchar_t expanded[MAX_PATH];
  ASSERT_GT(ExpandEnvironmentStringsW(value.c_str(), expanded, MAX_PATH), 0u);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, "Wallpaper"), Narrow(expanded));
}

class DesktopWallpaperAccess : public testing::Test {
protected:
  e2e::WallpaperGuard guard;
  test::TempFolder folder{L"qb-wallpaper"};
};

TEST_F(DesktopWallpaperAccess, ALongWallpaperPathIsReadWhole) {
  // Deep folders give the kind of path that a 255-byte read in the system code page turned into
  // nothing, while staying under MAX_PATH characters.
  std::string path = folder.File("");
  struct RemoveDeepFolders {
    std::wstring top;
    ~RemoveDeepFolders() { e2e::RemoveTree(top); }
  } cleanup{Widen(path + "とても長いフォルダの名前")};
  while (Utf8ToCp932(path).value_or("").size() < 300) {
    path += "とても長いフォルダの名前\\";
    ASSERT_TRUE(CreateDirectoryW(Widen(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  path += "壁紙.bmp";
  ASSERT_LT(Widen(path).size(), static_cast<std::size_t>(MAX_PATH));
  ASSERT_TRUE(test::WriteBytes(path, "BM"));
  ASSERT_TRUE(StoreDesktopWallpaper(path));
  EXPECT_EQ(GetDesktopWallpaper(), path);
  EXPECT_EQ(Narrow(e2e::RegistryWallpaper()), path);
}

TEST_F(DesktopWallpaperAccess, NothingIsStoredOrAppliedForAMissingFile) {
  const std::string mine = folder.File("mine.bmp");
  ASSERT_TRUE(test::WriteBytes(mine, "BM"));
  ASSERT_TRUE(StoreDesktopWallpaper(mine));
  for (const std::string& bad : {std::string(), folder.File("missing.bmp")}) {
    EXPECT_FALSE(StoreDesktopWallpaper(bad));
    EXPECT_FALSE(ApplyDesktopWallpaper(bad));
    EXPECT_EQ(GetDesktopWallpaper(), mine) << "after " << bad;
  }
}

TEST_F(DesktopWallpaperAccess, ConversionGivesTheNaturalSizeAndKeepsTheEarlierFileOnFailure) {
  const std::string target = folder.File("VynWallpaper.bmp");
  ASSERT_TRUE(test::WriteSolidJpeg(folder.File("wide.jpg"), 48, 8, 0xFF0000));
  SystemWallpaper system;
  ASSERT_TRUE(system.ConvertToBitmap(folder.File("wide.jpg"), target));
  const auto bytes = test::ReadBytes(target);
  ASSERT_TRUE(bytes);
  const auto bmp = test::ParseBmp24(*bytes);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 48);
  EXPECT_EQ(bmp->height, 8);
  EXPECT_GT(test::Red(bmp->At(24, 4)), 240);

  ASSERT_TRUE(test::WriteBytes(folder.File("broken.jpg"), "not a picture"));
  EXPECT_FALSE(system.ConvertToBitmap(folder.File("broken.jpg"), target));
  EXPECT_FALSE(system.ConvertToBitmap(folder.File("missing.gif"), target));
  EXPECT_EQ(test::ReadBytes(target), bytes);
}

}  // namespace
}  // namespace qb
