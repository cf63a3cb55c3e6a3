#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "accessories/version/SystemInformation.h"

namespace {

TEST(SystemInfoProgram, RegisteredPathFirstThenTheProgramInTheRegisteredFolder) {
  const std::string kPath = R"(C:\Program Files\Common Files\Microsoft Shared\MSInfo\msinfo32.exe)";
  const std::string kFolder = R"(C:\Program Files\Common Files\Microsoft Shared\MSInfo)";
  const std::string kInFolder = kFolder + R"(\MSINFO32.EXE)";
  const struct {
    const char* name;
    std::string path;
    std::string folder;
    std::set<std::string> files;
    std::optional<std::string> program;
  } cases[] = {
      // The path is started as it is; a missing file is found out by the start.
      {"path alone", kPath, "", {}, kPath},
      {"path before folder", kPath, kFolder, {kInFolder}, kPath},
      {"path in quotes", '"' + kPath + '"', "", {}, kPath},
      {"path with blanks around", "  " + kPath + "\t", "", {}, kPath},
      {"path of blanks only", "   ", kFolder, {kInFolder}, kInFolder},
      {"path of empty quotes", "\"\"", kFolder, {kInFolder}, kInFolder},
      {"folder with the program", "", kFolder, {kInFolder}, kInFolder},
      {"folder with a backslash at its end", "", kFolder + "\\", {kInFolder}, kInFolder},
      {"folder in quotes", "", '"' + kFolder + '"', {kInFolder}, kInFolder},
      {"drive root", "", "D:\\", {"D:\\MSINFO32.EXE"}, "D:\\MSINFO32.EXE"},
      {"folder without the program", "", kFolder, {kPath + ".old"}, std::nullopt},
      {"nothing registered", "", "", {kInFolder}, std::nullopt},
  };
  for (const auto& c : cases) {
    std::set<std::string> asked;
    const auto exists = [&](const std::string& file) {
      asked.insert(file);
      return c.files.count(file) != 0;
    };
    EXPECT_EQ(qb::SystemInfoProgram({c.path, c.folder}, exists), c.program) << c.name;
    // The folder's file is looked for only when the registered path gave nothing.
    if (c.program == kPath) {
      EXPECT_TRUE(asked.empty()) << c.name;
    }
  }
}

}  // namespace
