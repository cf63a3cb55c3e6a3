#include "calendar/DayNoteEditor.h"

#include <algorithm>

namespace qb {

namespace {

constexpr std::string_view kNoteLineBreak = "@@";
constexpr std::string_view kBoxLineBreak = "\r\n";

}  // namespace

bool IsBlankText(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string DayNoteEditor::BoxTextFor(std::string_view noteText, std::string_view title) {
  if (noteText.empty()) return std::string(title);
  return BoxText(noteText);
}

std::string DayNoteEditor::BoxText(std::string_view noteText) {
  std::string box;
  box.reserve(noteText.size() + noteText.size() / 8);
  for (size_t pos = 0;;) {
    const size_t mark = noteText.find(kNoteLineBreak, pos);
    if (mark == std::string_view::npos) {
      box.append(noteText.substr(pos));
      break;
    }
    box.append(noteText.substr(pos, mark - pos)).append(kBoxLineBreak);
    pos = mark + kNoteLineBreak.size();
  }
  std::replace(box.begin(), box.end(), '\0', ' ');
  return box;
}

std::optional<std::string> DayNoteEditor::NoteToSave(std::string_view boxText) {
  if (IsBlankText(boxText)) return std::nullopt;
  std::string note;
  note.reserve(boxText.size());
  for (size_t i = 0; i < boxText.size(); ++i) {
    const char c = boxText[i];
    if (c == '\r') {
      if (i + 1 < boxText.size() && boxText[i + 1] == '\n') ++i;
      note.append(kNoteLineBreak);
    } else if (c == '\n') {
      note.append(kNoteLineBreak);
    } else {
      note.push_back(c);
    }
  }
  return note;
}

}  // namespace qb
