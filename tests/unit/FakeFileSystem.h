#pragma once
// An in-memory FileSystem for the settings tests: it can refuse to replace files or to read one,
// and it counts writes, so failure paths and needless writes show up.
#include <cstdint>
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
  mutable int listCalls = 0;
  std::map<std::string, std::int64_t> modified;  // last write of a file; 0 when not given

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
  std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& dir,
                                                           std::string_view namePrefix) const override {
    ++listCalls;
    std::vector<DirectoryEntry> entries;
    for (const auto& [path, bytes] : files) {
      const std::string name = FileNameOf(path);
      if (ParentPath(path) != dir || !name.starts_with(namePrefix)) continue;
      const auto time = modified.find(path);
      entries.push_back({name, time == modified.end() ? 0 : time->second, false});
    }
    return entries;
  }
};

}  // namespace qb::test
