// The random wallpaper of each start: which files are candidates and in what order, the pick, and
// what the rotation converts and applies when pictures or earlier results are missing.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "desktop/WallpaperRotation.h"
#include "unit/FakeFileSystem.h"

namespace {

using qb::DirectoryEntry;

// A folder listing in a given order (directory searches are not sorted), folders included.
class ListingFileSystem : public qb::test::FakeFileSystem {
public:
  std::map<std::string, std::vector<DirectoryEntry>> listings;
  mutable std::vector<std::string> listed;
  std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir, std::string_view) const override {
    listed.push_back(dir);
    const auto it = listings.find(dir);
    if (it == listings.end()) return std::vector<DirectoryEntry>{};
    return it->second;
  }
};

class RecordingAccess : public qb::WallpaperAccess {
public:
  explicit RecordingAccess(qb::FileSystem& fs) : fs_(fs) {}
  std::vector<std::string> log;
  bool convertFails = false;
  std::string GetDesktopWallpaper() override { return {}; }
  bool StoreDesktopWallpaper(const std::string& path) override {
    log.push_back("store " + path);
    return true;
  }
  bool ApplyDesktopWallpaper(const std::string& path) override {
    log.push_back("apply " + path);
    return true;
  }
  bool ConvertToBitmap(const std::string& picture, const std::string& bitmapFile) override {
    log.push_back("convert " + picture + " > " + bitmapFile);
    return !convertFails && fs_.WriteFileAtomically(bitmapFile, "BM" + picture);
  }

private:
  qb::FileSystem& fs_;
};

DirectoryEntry File(std::string name) { return {std::move(name), 0, false}; }

TEST(WallpaperFileMask, MatchesLikeADirectorySearch) {
  struct Case {
    const char* name;
    const char* mask;
    bool matches;
  };
  const Case cases[] = {
      {"sea.bmp", "*.bmp", true},
      {"SEA.BMP", "*.bmp", true},
      {"Sea.Jpg", "*.jpg", true},
      {".bmp", "*.bmp", true},
      {"a.b.bmp", "*.bmp", true},
      {"海の写真.gif", "*.gif", true},
      {"sea.bmpx", "*.bmp", false},
      {"sea.bmp.txt", "*.bmp", false},
      {"bmp", "*.bmp", false},
      {"sea.jpeg", "*.jpg", false},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"anything", "*", true},
      {"", "*", true},
      {"ab", "*b*b", false},
      {"abab", "*b*b", true},
  };
  for (const Case& c : cases) EXPECT_EQ(qb::MatchesFileMask(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
}

TEST(WallpaperCandidates, BitmapsThenJpegsThenGifsEachInListingOrderFilesOnly) {
  ListingFileSystem fs;
  fs.listings["C:\\壁紙"] = {File("c.gif"),   File("z.JPG"),   File("b.bmp"),     {"folder.bmp", 0, true},
                             File("notes.txt"), File("x.bmp.txt"), File("a.Bmp"), File("e.jpeg"), File("d.jpg")};
  EXPECT_EQ(qb::WallpaperCandidates("C:\\壁紙", fs),
            (std::vector<std::string>{"b.bmp", "a.Bmp", "z.JPG", "d.jpg", "c.gif"}));
}

TEST(WallpaperCandidates, EmptyFolderSearchesTheRootOfTheCurrentDrive) {
  ListingFileSystem fs;
  fs.listings["\\"] = {File("root.gif")};
  EXPECT_EQ(qb::WallpaperCandidates("", fs), std::vector<std::string>{"root.gif"});
  EXPECT_EQ(fs.listed, (std::vector<std::string>{"\\", "\\", "\\"}));
}

TEST(WallpaperCandidates, MissingFolderGivesNone) {
  ListingFileSystem fs;
  EXPECT_TRUE(qb::WallpaperCandidates("C:\\nowhere", fs).empty());
}

TEST(WallpaperPick, NoneFromNothingAndTheOnlyOneFromOne) {
  std::mt19937 random(7);
  EXPECT_FALSE(qb::PickCandidate(0, random));
  for (int i = 0; i < 200; ++i) EXPECT_EQ(qb::PickCandidate(1, random), 0u);
}

TEST(WallpaperPick, ThreeCandidatesAreEachPickedAboutAThirdOfTheTime) {
  std::mt19937 random(20240101);
  std::array<int, 3> counts{};
  constexpr int kDraws = 30000;
  for (int i = 0; i < kDraws; ++i) {
    const auto pick = qb::PickCandidate(3, random);
    ASSERT_TRUE(pick);
    ASSERT_LT(*pick, 3u);
    ++counts[*pick];
  }
  // Binomial standard deviation is about 82; 600 is more than seven of them.
  for (int count : counts) EXPECT_NEAR(count, kDraws / 3, 600);
}

class Rotation : public testing::Test {
protected:
  ListingFileSystem fs;
  RecordingAccess access{fs};
  std::mt19937 random{1};
  const std::string target = "C:\\Quorbell\\VynWallpaper.bmp";
  void SetUp() override { fs.directories.insert("C:\\Quorbell"); }
};

TEST_F(Rotation, ConvertsThePickedPictureIntoTheApplicationFolderAndAppliesIt) {
  fs.listings["D:\\pics"] = {File("only.gif")};
  EXPECT_TRUE(qb::RotateWallpaper("D:\\pics", "C:\\Quorbell", fs, access, random));
  EXPECT_EQ(access.log, (std::vector<std::string>{"convert D:\\pics\\only.gif > " + target, "apply " + target}));
  EXPECT_EQ(fs.files[target], "BMD:\\pics\\only.gif");
}

TEST_F(Rotation, AFailedConversionAppliesTheEarlierPictureAgain) {
  fs.listings["D:\\pics"] = {File("broken.jpg")};
  fs.files[target] = "BMearlier";
  access.convertFails = true;
  EXPECT_FALSE(qb::RotateWallpaper("D:\\pics", "C:\\Quorbell", fs, access, random));
  EXPECT_EQ(access.log, (std::vector<std::string>{"convert D:\\pics\\broken.jpg > " + target, "apply " + target}));
  EXPECT_EQ(fs.files[target], "BMearlier");
}

TEST_F(Rotation, NoPictureAndNoEarlierOneAppliesNothing) {
  // Applying a missing file would blank the desktop and overwrite the user's wallpaper setting.
  EXPECT_FALSE(qb::RotateWallpaper("D:\\missing", "C:\\Quorbell", fs, access, random));
  EXPECT_TRUE(access.log.empty());

  fs.listings["D:\\pics"] = {File("broken.jpg")};
  access.convertFails = true;
  EXPECT_FALSE(qb::RotateWallpaper("D:\\pics", "C:\\Quorbell", fs, access, random));
  EXPECT_EQ(access.log, std::vector<std::string>{"convert D:\\pics\\broken.jpg > " + target});
}

TEST_F(Rotation, EmptyFolderOfPicturesReappliesTheEarlierRotation) {
  fs.listings["D:\\pics"] = {File("readme.txt")};
  fs.files[target] = "BMearlier";
  EXPECT_FALSE(qb::RotateWallpaper("D:\\pics", "C:\\Quorbell", fs, access, random));
  EXPECT_EQ(access.log, std::vector<std::string>{"apply " + target});
}

}  // namespace
