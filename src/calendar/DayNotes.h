#pragma once
// Day notes: one text file per calendar day, "dic\<title>.txt" under a base folder (the current
// directory unless told otherwise). Inside the program a note is one UTF-8 text whose line breaks
// are "@@". On disk it is one CP932 line ended by CR LF, or, when CP932 cannot hold the text,
// the same line in UTF-8 behind a byte-order mark so that nothing is lost.
#include <string>
#include <string_view>
#include <vector>

#include "common/FileSystem.h"

namespace qb {

// ReadDayNote's answer when the note cannot be read (missing, unreadable, or a title that is no
// plain file name).
constexpr int kDayNoteUnreadable = -9;

// The title of the note of a date: 2004年8月16日 (no leading zeros).
std::string DayNoteTitle(int year, int month, int day);

// True when the title can be used as a file name as it is: not empty, valid UTF-8, no path
// separator, none of the characters Windows forbids (<>:"|?*), no control character, not "." or
// "..", no trailing dot or blank, not a reserved device name (CON, PRN, AUX, NUL, COM0-9,
// LPT0-9, with or without extension, in any case), and short enough for one path component.
// Other titles are never read or written.
bool IsPlainNoteTitle(std::string_view title);

// Where the notes live: "dic" under `baseDir` (empty: the process's current directory).
struct DayNoteFolder {
  FileSystem* fs = nullptr;
  std::string baseDir;
};

// The path of a title's note file.
std::string DayNotePath(const DayNoteFolder& folder, std::string_view title);

// Appends the note to `text` (lines joined by "@@", no trailing "@@") and returns 0; returns
// kDayNoteUnreadable and leaves `text` alone when the note cannot be read. Accepts CP932, UTF-8
// with a byte-order mark and UTF-16LE with a byte-order mark; CR LF, CR and LF all end a line.
int ReadDayNote(const DayNoteFolder& folder, std::string_view title, std::string& text);

// Stores `text` (line breaks already "@@"; any raw CR or LF left is stored as "@@" too) as the
// title's note, creating the "dic" folder when it is missing. The file is replaced atomically:
// it holds the old note or the new one, never a part. True when the note was stored; a title
// that is no plain file name is never stored.
[[nodiscard]] bool SaveDayNote(const DayNoteFolder& folder, std::string_view title, std::string_view text);
// SaveDayNote with its failures silent; returns 0.
int WriteDayNote(const DayNoteFolder& folder, std::string_view title, std::string_view text);

// Reads notes for one drawing of a month. The first title of a month ("<year>年<month>月...")
// lists the "dic" folder once for that month's files; after that only titles whose file is in the
// listing are read, every other title answers kDayNoteUnreadable without touching the disk. A
// note whose file has the same size and last-write stamp as when it was last read is not opened
// again. Make one per drawing: a note written afterwards is seen by the next lookup. When the
// folder cannot be listed, every title is read as ReadDayNote reads it.
class DayNoteLookup {
public:
  explicit DayNoteLookup(const DayNoteFolder& folder) : folder_(folder) {}
  int Read(std::string_view title, std::string& text);

private:
  struct Month {
    std::string prefix;
    bool listed = false;  // false: the folder could not be listed
    std::vector<DirectoryEntry> files;
  };
  const Month& MonthOf(std::string_view prefix);

  DayNoteFolder folder_;
  std::vector<Month> months_;
};

// The folder the two-argument forms use. Until this is called: the current directory through
// SystemFileSystem().
void UseDayNoteFolder(std::string baseDir, FileSystem& fs);
int ReadDayNote(std::string_view title, std::string& text);
int WriteDayNote(std::string_view title, std::string_view text);
[[nodiscard]] bool SaveDayNote(std::string_view title, std::string_view text);
// A lookup over that folder.
DayNoteLookup CurrentDayNoteLookup();

}  // namespace qb
