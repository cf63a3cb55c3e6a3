// The note editor's text rules: what the box shows for a stored note and what a double-click
// stores.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calendar/DayNoteEditor.h"

namespace qb {
namespace {

struct BoxCase {
  const char* note;
  const char* box;
};

TEST(DayNoteEditor, ShowsEveryNoteSeparatorAsALineBreakAndAnEmptyNoteAsItsTitle) {
  const BoxCase cases[] = {
      {"a@@b", "a\r\nb"},
      {"a@@", "a\r\n"},           // a trailing separator is an empty last line
      {"@@", "\r\n"},             // two empty lines
      {"a@@@b", "a\r\n@b"},       // separators are taken from the left
      {"a@@@@b", "a\r\n\r\nb"},
      {" x, \"q\" ", " x, \"q\" "},  // commas, quotes and blanks shown as they are
      {"日本語@@メモ", "日本語\r\nメモ"},
      {"", "2004年8月16日"},
  };
  for (const BoxCase& c : cases) {
    EXPECT_EQ(DayNoteEditor::BoxTextFor(c.note, "2004年8月16日"), c.box) << "note: " << c.note;
  }
}

struct SaveCase {
  const char* box;
  std::optional<std::string> note;
};

TEST(DayNoteEditor, StoresLineBreaksAsSeparatorsAndNeverStoresABlankText) {
  const SaveCase cases[] = {
      {"a\r\nb", "a@@b"},
      {"a\nb", "a@@b"},   // a lone LF (pasted text) is a line break too
      {"a\rb", "a@@b"},
      {"a\r\n\r\nb", "a@@@@b"},
      {"a\r\n", "a@@"},
      {"\r\n", "@@"},     // line breaks are not blanks: two empty lines are a note
      {" a ", " a "},     // blanks around a real text are kept
      {"　", "　"},       // only U+0020 counts as a blank
      {"", std::nullopt},
      {" ", std::nullopt},
      {"     ", std::nullopt},
  };
  for (const SaveCase& c : cases) {
    EXPECT_EQ(DayNoteEditor::NoteToSave(c.box), c.note) << "box: " << ::testing::PrintToString(std::string(c.box));
  }
}

TEST(DayNoteEditor, ANoteShownAndSavedUnchangedComesBackTheSame) {
  for (const char* note : {"a@@b", "a@@", "@@", "x,\"y\"@@  z", "日本語@@@@メモ", "one line"}) {
    EXPECT_EQ(DayNoteEditor::NoteToSave(DayNoteEditor::BoxTextFor(note, "title")), std::optional<std::string>(note));
  }
}

// A text box ends its text at a NUL, so a NUL read from a damaged note file would hide, and the
// next save would drop, everything after it.
TEST(DayNoteEditor, ANulInANoteShowsAsABlankSoThatSavingKeepsWhatFollows) {
  using namespace std::string_literals;
  const struct {
    std::string note, box, saved;
  } nulCases[] = {
      {"a\0b@@c"s, "a b\r\nc", "a b@@c"},
      {"\0"s, " ", ""},  // shown, but a blank text is never stored
      {"x\0\0@@\0"s, "x  \r\n ", "x  @@ "},
  };
  for (const auto& c : nulCases) {
    const std::string box = DayNoteEditor::BoxTextFor(c.note, "title");
    EXPECT_EQ(box, c.box) << ::testing::PrintToString(c.note);
    EXPECT_EQ(box.find('\0'), std::string::npos);
    EXPECT_EQ(DayNoteEditor::NoteToSave(box).value_or(""), c.saved);
  }
}

}  // namespace
}  // namespace qb
