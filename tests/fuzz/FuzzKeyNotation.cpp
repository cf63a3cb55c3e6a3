// Fuzzes the key notation of the macros and hotkeys, and the macro expansion around it.
//
// Input: the notation text.
// Properties: nothing crashes; an invalid text gives no events and a reason, a valid one no
// reason; the events of a valid text never release a key that is not down nor press one that is,
// and leave no key down; every typed character is a Unicode scalar value; any text with each
// notation character put in braces types exactly what the text typed literally would; a macro
// cuts only at its own {WAIT}s, inserted texts come through as they are, and a macro without any
// placeholder types what its notation types.
#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "hotkeys/KeyMacro.h"
#include "hotkeys/KeyNotation.h"

namespace {

using namespace qb;
using fuzz::Check;

void CheckKeysBalanced(const std::vector<KeyEvent>& events) {
  std::array<bool, 0x10000> down{};
  int held = 0;
  for (const KeyEvent& e : events) {
    switch (e.kind) {
      case KeyEvent::Kind::Down:
        Check(!down[e.vk], "a key pressed while already down");
        down[e.vk] = true;
        ++held;
        break;
      case KeyEvent::Kind::Up:
        Check(down[e.vk], "a key released that was not down");
        down[e.vk] = false;
        --held;
        break;
      case KeyEvent::Kind::Char:
        Check(e.ch <= 0x10FFFF && (e.ch < 0xD800 || e.ch > 0xDFFF), "a typed character is no Unicode scalar");
        break;
    }
    Check(!DescribeKeyEvent(e).empty(), "an event without a description");
  }
  Check(held == 0, "a key left down");
}

void CheckParsed(const ParsedKeys& parsed) {
  if (!parsed.valid) {
    Check(parsed.events.empty(), "an invalid text gave events");
    Check(!parsed.reason.empty(), "an invalid text without a reason");
    return;
  }
  Check(parsed.reason.empty(), "a valid text with a reason");
  CheckKeysBalanced(parsed.events);
}

// The text with every character the notation gives a meaning to put in braces.
std::string InBraces(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (std::string_view("+^%~(){}[]").find(c) != std::string_view::npos) {
      out += '{';
      out += c;
      out += '}';
    } else {
      out += c;
    }
  }
  return out;
}

// True when `text` is a run of the inserted texts, one after another (adjacent inserts join into
// one literal segment).
bool IsRunOfInserts(std::string_view text, const MacroInserts& inserts) {
  std::vector<bool> reachable(text.size() + 1, false);
  reachable[0] = true;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!reachable[at]) continue;
    for (const std::string& insert : {inserts.clipboard, inserts.slots[0], inserts.slots[1], inserts.slots[2]}) {
      if (!insert.empty() && text.substr(at).starts_with(insert)) reachable[at + insert.size()] = true;
    }
  }
  return reachable[text.size()];
}

void CheckMacro(std::string_view text) {
  MacroInserts inserts;
  inserts.clipboard = "%{F4}{WAIT}~";
  inserts.slots = {"+(", "{CLIP}", "\xE3\x81\x82\r\n"};
  const std::vector<MacroPiece> pieces = ExpandKeyMacro(text, inserts);
  Check(!pieces.empty(), "a macro without pieces");
  for (const MacroPiece& piece : pieces) {
    for (const MacroSegment& segment : piece) {
      Check(!segment.text.empty(), "an empty segment");
      if (segment.literal) {
        Check(IsRunOfInserts(segment.text, inserts), "an inserted text changed on its way");
      }
    }
    CheckParsed(PieceKeyEvents(piece));
  }
  if (text.find('{') == std::string_view::npos && !text.empty()) {
    Check(pieces.size() == 1, "a macro without placeholders was cut");
    const ParsedKeys whole = PieceKeyEvents(pieces[0]);
    const ParsedKeys direct = ParseKeyNotation(text);
    Check(whole.valid == direct.valid && whole.events == direct.events, "a plain macro types other keys");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckParsed(ParseKeyNotation(text));

  const std::vector<KeyEvent> literal = LiteralKeyEvents(text);
  CheckKeysBalanced(literal);
  const ParsedKeys escaped = ParseKeyNotation(InBraces(text));
  Check(escaped.valid, "a text with its notation characters in braces is invalid");
  Check(escaped.events == literal, "a text in braces types other keys than the literal text");

  CheckMacro(text);
  // The name table answers the same in any case.
  if (size <= 12) {
    std::string upper(text);
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    Check(KeyNameCode(text) == KeyNameCode(upper), "a key name depends on its case");
  }
  return 0;
}
