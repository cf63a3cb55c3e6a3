#pragma once
// Which of its roles this process takes: the resident instance, or one of the short-lived helpers
// that the resident instance starts with an argument.
#include <string>
#include <string_view>

namespace qb {

enum class ProcessRole {
  Resident,        // first instance, or a second one started with an unknown argument
  AlreadyRunning,  // second start without arguments: tell the user and end
  Diet,            // second start with "Diet": one memory diet, then end
  Menu,            // second start with "Menu": the launcher menu only
};

// The arguments of a full command line: everything after the program name, with the blanks
// around it dropped. The program name ends at the closing quote when it starts with one,
// otherwise at the first blank, as Windows splits it.
std::string_view CommandLineTail(std::string_view commandLine);

// A first instance ignores its arguments. The helper words are matched exactly, case included.
ProcessRole DecideProcessRole(bool anotherInstanceRunning, std::string_view arguments);

// Name of the per-user single-instance object in the session namespace. The identity (the user's
// SID, or the user name when the SID is unavailable) keeps two users of one session apart;
// backslashes are replaced because the object namespace would read them as folders.
std::string InstanceMutexName(std::string_view userIdentity);

}  // namespace qb
