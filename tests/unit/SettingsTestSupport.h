#pragma once
// A settings file in memory for the settings tests.
#include <gtest/gtest.h>

#include <string>

#include "common/Text.h"
#include "settings/Settings.h"
#include "unit/FakeFileSystem.h"

namespace qb::test {

class SettingsFileTest : public ::testing::Test {
protected:
  static constexpr const char* kPath = "cfg/Quorbell.ini";

  void SetUp() override {
    fs.directories.insert("cfg");
    UseSettingsFile(kPath, fs);
  }
  void TearDown() override { UseSettingsFile("Quorbell.ini", SystemFileSystem()); }

  void Given(const std::string& bytes) { fs.files[kPath] = bytes; }
  std::string File() const {
    const auto it = fs.files.find(kPath);
    return it == fs.files.end() ? "<none>" : it->second;
  }

  FakeFileSystem fs;
};

}  // namespace qb::test
