#pragma once
// The programs the launcher menu lists and what starting one means. Row i shows entry k = i + 1 of
// the settings: APPPATH/k the command line (empty: a blank row), APPNAME/k the name shown.
#include <string>
#include <string_view>

#include "common/FileSystem.h"

namespace qb {

struct LauncherEntry {
  std::string commandLine;
  std::string name;
};

// The entry of row 0..15 as the settings hold it now.
LauncherEntry ReadLauncherEntry(int row);

// The command line to start for a row, read at the moment it is chosen. APPVIS/k is read first,
// as the menu always has; no value of it (a number or not) changes or stops the start.
std::string ReadCommandLineForStart(int row);

// What an entry's command line starts.
struct LaunchTarget {
  enum class Kind {
    None,     // a blank entry: nothing
    File,     // the whole entry names an existing file or folder: opened by that name, without arguments
    Command,  // a program (quoted, or plain) followed by arguments
  };
  Kind kind = Kind::None;
  // File: the file or folder. Command: the program, a path or a bare name for the system to find.
  std::string file;
  std::string arguments;  // Command only, without the blanks around them

  friend bool operator==(const LaunchTarget&, const LaunchTarget&) = default;
};

// Reads an entry the way a user who typed it meant it:
//  - a path of an existing file or folder, blanks and all, is that file or folder: "C:\Program
//    Files\x.exe" never becomes "C:\Program" with arguments, whatever else exists;
//  - a quoted program is the text inside the quotes, the rest are its arguments;
//  - otherwise the program is the longest run of words, ending before a blank, that names an
//    existing file (an unquoted "C:\Program Files\x.exe -a" starts x.exe), or else the first word,
//    which the system looks for as it looks for any command; the rest are its arguments.
// Blanks are spaces and tabs; those around the entry do not count.
LaunchTarget ResolveLaunchTarget(std::string_view commandLine, const FileSystem& fs);

}  // namespace qb
