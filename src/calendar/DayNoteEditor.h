#pragma once
// The rules of the note editor, apart from its window: which note it edits, what its text box
// shows for a stored note, and what a double-click stores.
#include <optional>
#include <string>
#include <string_view>

namespace qb {

class DayNoteEditor {
public:
  // The title the next save uses (the editor's identity of the note).
  void SetTitle(std::string title) { title_ = std::move(title); }
  [[nodiscard]] const std::string& Title() const { return title_; }

  // The text box text for a stored note: every "@@" becomes CR LF, and a NUL (from a damaged file)
  // shows as a blank, since the text box would end the text there and the next save would lose
  // the rest. Every way of putting a note into the box goes through here.
  static std::string BoxText(std::string_view noteText);
  // BoxText, except that a day without a note (or with an empty one) shows its title, so the user
  // sees which day the editor holds.
  static std::string BoxTextFor(std::string_view noteText, std::string_view title);

  // What a double-click stores: the box text with every line break (CR LF, lone CR, lone LF) as
  // "@@"; nullopt when the text is empty or only blanks, which is never stored, so an existing
  // note is not wiped by clearing the box.
  static std::optional<std::string> NoteToSave(std::string_view boxText);

private:
  std::string title_;
};

// True when nothing but blanks (U+0020) is left of the text.
bool IsBlankText(std::string_view text);

}  // namespace qb
