// Fuzzes the stored forms of the texts users type: the memo text ("@@" for a line break) and the
// clipboard-slot and macro texts ("\n" and "\t"), alone and through the settings file.
//
// Input: up to three fields separated by NUL bytes: a stored memo value, a stored slot value, and
// a text as typed into a text box.
// Properties: nothing crashes; decoding turns exactly the "@@"s (the "\n"s and "\t"s) into line
// breaks (tabs) and nothing else; a stored value without line breaks is stored again as the same
// value after a decode; a typed text without "@" (without "\") comes back after a store with only
// its line breaks made CR LF; a memo written to the settings file comes back from it as the text
// box had it, and so does a slot text.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FakeFileSystem.h"
#include "FuzzSupport.h"
#include "memo/MemoRecord.h"
#include "settings/Catalogue.h"
#include "settings/IniText.h"
#include "settings/Settings.h"
#include "settings/SlotText.h"

namespace {

using namespace qb;
using fuzz::Check;

std::size_t CountOf(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(what); pos != std::string_view::npos; pos = text.find(what, pos + what.size())) {
    ++count;
  }
  return count;
}

bool OnlyBlanks(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

void CheckMemoForms(std::string_view stored, std::string_view typed) {
  const std::string box = DecodeMemoText(stored);
  if (stored.find_first_of("\r\n") == std::string_view::npos) {
    Check(box.size() == stored.size(), "decoding changed more than the marks");
    Check(CountOf(box, "\r\n") == CountOf(stored, "@@"), "decoding missed or made up a line break");
    if (!OnlyBlanks(stored)) Check(EncodeMemoText(box) == stored, "a stored memo is stored otherwise");
  }
  const std::string encoded = EncodeMemoText(typed);
  Check(encoded.find_first_of("\r\n") == std::string::npos, "a line break in a stored memo");
  Check(encoded.empty() == OnlyBlanks(typed), "a memo of blanks kept, or a memo with text dropped");
  if (typed.find('@') == std::string_view::npos && !encoded.empty()) {
    Check(DecodeMemoText(encoded) == fuzz::CrLfLineBreaks(typed), "a typed memo comes back otherwise");
  }
}

void CheckSlotForms(std::string_view stored, std::string_view typed) {
  const std::string text = UnescapeSlotText(stored);
  if (stored.find_first_of("\r\n\t") == std::string_view::npos) {
    Check(CountOf(text, "\r\n") == CountOf(stored, "\\n"), "unescaping missed or made up a line break");
    Check(EscapeSlotText(text) == stored, "a stored slot text is stored otherwise");
  }
  const std::string escaped = EscapeSlotText(typed);
  Check(escaped.find_first_of("\r\n\t") == std::string::npos, "a line break or tab in a stored slot text");
  if (typed.find('\\') == std::string_view::npos) {
    Check(UnescapeSlotText(escaped) == fuzz::CrLfLineBreaks(typed), "a typed slot text comes back otherwise");
  }
}

// Through the settings file, as the memo windows and the settings dialog store them.
void CheckThroughSettings(std::string_view typed) {
  static test::FakeFileSystem fs;
  fs.files.clear();
  UseSettingsFile("q.ini", fs);
  WriteMemoRecord(3, typed, 15, 30, 4680, 3195);
  const std::vector<StoredMemo> memos = ReadStoredMemos();
  const std::string encoded = EncodeMemoText(typed);
  if (encoded.empty()) {
    Check(memos.empty(), "a memo of blanks came back");
  } else {
    Check(memos.size() == 1 && memos[0].n == 3, "a stored memo did not come back");
    Check(memos[0].boxText == DecodeMemoText(encoded), "a memo came back from the settings file otherwise");
    Check(memos[0].place == MemoPlaceTwips{15, 30, 4680, 3195}, "a memo's place came back otherwise");
  }
  WriteSetting(keys::ClipText(2), ProtectIniValue(EscapeSlotText(typed)));
  Check(UnescapeSlotText(ReadWholeSetting(keys::ClipText(2))) == UnescapeSlotText(EscapeSlotText(typed)),
        "a slot text came back from the settings file otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> f = fuzz::SplitFields(std::string_view(reinterpret_cast<const char*>(data), size), 3);
  CheckMemoForms(f[0], f[2]);
  CheckSlotForms(f[1], f[2]);
  // A text box holds valid text: the settings file is only asked to keep that.
  if (fuzz::IsValidUtf8(f[2]) && f[2].find('\0') == std::string::npos) CheckThroughSettings(f[2]);
  return 0;
}
