#pragma once
// A private copy of the program for one test: a fresh folder under %TEMP% holding the executable
// and, by default, a Quorbell.ini beside it. A settings file next to the program makes it use that
// file (portable mode), which is what keeps tests from seeing each other's or the user's settings.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness/Files.h"
#include "harness/SystemSettings.h"

namespace qb::e2e {

// What the folder starts with next to the program.
class Ini {
public:
  // An empty Quorbell.ini: portable mode, every setting at its default.
  static Ini Empty() { return Ini(Kind::Bytes, {}); }
  // Settings text given as UTF-8 and written in CP932, as Japanese Windows stores it.
  static Ini Text(std::string utf8) { return Ini(Kind::Text, std::move(utf8)); }
  // Exact bytes (other encodings, broken files).
  static Ini Bytes(std::string raw) { return Ini(Kind::Bytes, std::move(raw)); }
  // No settings file: the program then uses %APPDATA%\Quorbell. The folder keeps the test isolated
  // by holding a SystemSettingsGuard for its lifetime.
  static Ini None() { return Ini(Kind::None, {}); }

private:
  friend class AppFolder;
  enum class Kind { None, Text, Bytes };
  Ini(Kind kind, std::string content) : kind_(kind), content_(std::move(content)) {}
  Kind kind_;
  std::string content_;
};

inline constexpr wchar_t kIniName[] = L"Quorbell.ini";

class AppFolder {
public:
  explicit AppFolder(Ini ini = Ini::Empty(), const std::wstring& program = ProgramUnderTest());
  // Removes the folder; processes still running from it are ended first.
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  // False when the folder or the copy could not be made (the constructor has reported why).
  [[nodiscard]] bool Ready() const { return ready_; }
  const std::wstring& Dir() const { return dir_; }
  const std::wstring& ExePath() const { return exe_; }
  std::wstring PathOf(std::wstring_view relative) const { return PathJoin(dir_, relative); }
  std::wstring IniPath() const { return PathOf(kIniName); }

  // Replaces Quorbell.ini: UTF-8 text stored as CP932 (a test failure when CP932 cannot hold it).
  void WriteIni(std::string_view utf8);
  void WriteIniBytes(std::string_view bytes);
  void RemoveIni();
  std::optional<std::string> IniBytes() const { return ReadFileBytes(IniPath()); }
  // A value of the folder's settings file, read by the program's own settings reader.
  std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def = "") const;

  // Everything in the folder (relative names, folders end in '\'), the executable included.
  std::vector<std::wstring> Files() const { return ListTree(dir_); }
  std::optional<std::string> ReadBytes(std::wstring_view relative) const { return ReadFileBytes(PathOf(relative)); }

  // The guard of the system-wide settings locations; present for folders made with Ini::None().
  SystemSettingsGuard* System() const { return system_.get(); }

private:
  std::unique_ptr<SystemSettingsGuard> system_;
  std::wstring dir_;
  std::wstring exe_;
  bool ready_ = false;
};

// UTF-8 -> CP932 bytes; a test failure (and nullopt) when the text has no CP932 form.
std::optional<std::string> ToCp932(std::string_view utf8);
// Reads one value of any settings file through the program's own reader.
std::string ReadSettingFrom(const std::wstring& iniPath, std::string_view section, std::string_view key,
                            std::string_view def = "");

}  // namespace qb::e2e
