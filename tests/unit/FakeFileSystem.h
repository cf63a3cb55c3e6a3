#pragma once
// An in-memory FileSystem for the settings tests: it can refuse to replace files or to read one,
// and it counts writes, so failure paths and needless writes show up.
#include <map>
#include <set>
#include <string>

#include "common/FileSystem.h"

namespace qb::test {

class FakeFileSystem : public FileSystem {
public:
  std::map<std::string, std::string> files;
  std::set<std::string> directories;
  std::set<std::string> unreadable;  // exist, but ReadFile fails
  bool failReplace = false;
  bool failCreateDirectories = false;
  int replaceCalls = 0;

  std::optional<std::string> ReadFile(const std::string& path) const override {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return std::nullopt;
    return it->second;
  }
  bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
  bool DirectoryExists(const std::string& path) const override { return directories.count(path) != 0; }
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    ++replaceCalls;
    const std::string dir = ParentPath(path);
    if (failReplace || (!dir.empty() && !directories.count(dir))) return false;
    files[path] = std::string(bytes);
    return true;
  }
  bool CreateDirectories(const std::string& path) override {
    if (failCreateDirectories) return false;
    for (std::string dir = path; !dir.empty() && !directories.count(dir); dir = ParentPath(dir)) {
      directories.insert(dir);
      if (ParentPath(dir) == dir) break;
    }
    return true;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
};

}  // namespace qb::test
