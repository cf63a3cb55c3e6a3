#pragma once
// The key-string notation of the macros and of the copy and paste actions, turned into the key
// events that the typing engine injects:
//   - ordinary characters are typed as themselves (as Unicode characters, so Japanese text and
//     any layout work); a line break (CR LF, CR or LF) is the Enter key and a tab the Tab key;
//   - "+", "^", "%" hold Shift, Ctrl, Alt for the next key, or for a following group in
//     parentheses: "+(abc)"; a character with a modifier presses that character's key (letters of
//     either case their letter key, digits, space, "-", ",", ".", "/" their key; any other
//     character is typed as itself while the modifier is held);
//   - "~" is Enter;
//   - "{NAME}" is a special key, "{NAME n}" repeats it n times (0..kMaxRepeat); names are not
//     case-sensitive; a single character in braces types that character: {+} {^} {%} {~} {(} {)}
//     {{} {}} {[} {]}. Bare "[" and "]" are typed as themselves.
// Invalid text (unknown names, unbalanced braces or parentheses, bad repeat counts, a modifier
// with no key after it, a modifier given twice for one key, "}" outside braces) gives no events
// and a reason.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/KeyEvent.h"

namespace qb {

struct ParsedKeys {
  bool valid = true;
  std::vector<KeyEvent> events;  // empty when invalid
  std::string reason;            // why the text is invalid
};

// The most a brace name can be repeated; larger counts are invalid rather than a runaway macro.
inline constexpr int kMaxRepeat = 9999;

inline constexpr uint16_t kVkShift = 0x10;
inline constexpr uint16_t kVkControl = 0x11;
inline constexpr uint16_t kVkMenu = 0x12;
inline constexpr uint16_t kVkReturn = 0x0D;
inline constexpr uint16_t kVkTab = 0x09;

ParsedKeys ParseKeyNotation(std::string_view text);

// Text typed exactly as it is, with no notation: every character as itself, line breaks as Enter
// and tabs as Tab, as in the ordinary characters of the notation.
std::vector<KeyEvent> LiteralKeyEvents(std::string_view text);

// The virtual key of a brace name ("ENTER", "f5", "PRTSC"...), or 0 when the name is unknown.
uint16_t KeyNameCode(std::string_view name);

// "down 0x0D", "up 0x12", "char あ" (code points up to the space, and DEL, as "char U+0020").
std::string DescribeKeyEvent(const KeyEvent& event);

}  // namespace qb
