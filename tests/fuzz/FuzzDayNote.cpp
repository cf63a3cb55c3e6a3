// Fuzzes the day-note files of the calendar: their reading in every encoding, their writing, and
// the titles that name them.
//
// Input: a title, a NUL byte, then the bytes of a note file (without a NUL: the whole input is the
// file of a fixed title).
// Properties: nothing crashes; a note reads as valid UTF-8 with its line breaks as "@@" and no CR
// or LF left, appended to what the caller had; what is saved reads back the same, and saving that
// again writes the same bytes; the month listing answers as the plain read; a title that is no
// plain file name is never read nor written, a plain one names exactly one file in "dic".
#include <cstdint>
#include <string>

#include "FakeFileSystem.h"
#include "FuzzSupport.h"
#include "calendar/DayNotes.h"

namespace {

using namespace qb;
using fuzz::Check;

constexpr std::string_view kTitle = "2024\xE5\xB9\xB4" "1\xE6\x9C\x88" "2\xE6\x97\xA5";  // 2024年1月2日

void CheckNote(test::FakeFileSystem& fs, const DayNoteFolder& folder, std::string_view title) {
  std::string text = "held";
  const int result = ReadDayNote(folder, title, text);
  if (result != 0) {
    Check(result == kDayNoteUnreadable && text == "held", "a failed read changed the text");
    return;
  }
  Check(text.starts_with("held"), "a read replaced the text it appends to");
  const std::string note = text.substr(4);
  Check(fuzz::IsValidUtf8(note), "a note read as broken UTF-8");
  Check(note.find_first_of("\r\n") == std::string::npos, "a line break left in a note");

  std::string listed;
  DayNoteLookup lookup(folder);
  Check(lookup.Read(title, listed) == 0 && listed == note, "the month listing reads another note");

  Check(SaveDayNote(folder, title, note), "a note read could not be saved");
  const std::string path = DayNotePath(folder, title);
  const std::string firstBytes = fs.files[path];
  std::string again;
  Check(ReadDayNote(folder, title, again) == 0, "a saved note cannot be read");
  Check(again == note, "a saved note reads back otherwise");
  Check(SaveDayNote(folder, title, again) && fs.files[path] == firstBytes, "saving a note twice differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view title = nul == std::string_view::npos ? kTitle : input.substr(0, nul);
  const std::string_view bytes = nul == std::string_view::npos ? input : input.substr(nul + 1);

  test::FakeFileSystem fs;
  const DayNoteFolder folder{&fs, "base"};
  fs.directories.insert("base");
  const bool plain = IsPlainNoteTitle(title);
  if (!plain) {
    std::string text;
    Check(ReadDayNote(folder, title, text) == kDayNoteUnreadable, "a title that is no file name was read");
    Check(!SaveDayNote(folder, title, "x") && fs.files.empty(), "a title that is no file name was written");
    fs.files[DayNotePath(folder, kTitle)] = std::string(bytes);
    CheckNote(fs, folder, kTitle);
    return 0;
  }
  const std::string path = DayNotePath(folder, title);
  Check(ParentPath(path) == JoinPath("base", "dic") && FileNameOf(path) == std::string(title) + ".txt",
        "a plain title names a file outside dic");
  fs.files[path] = std::string(bytes);
  CheckNote(fs, folder, title);
  return 0;
}
