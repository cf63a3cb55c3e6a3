#pragma once
// Key macros: the placeholders of the program inside a macro text, the cutting at "{WAIT}", and
// the run itself over an interface to the typing, the message pump and the clock, so that all of
// it can be checked without a keyboard or a second of waiting.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hotkeys/KeyNotation.h"

namespace qb {

// A part of a macro piece: key notation, or text that is typed exactly as it is. The texts put in
// for {CLIP} and {CLIP1}..{CLIP3} are literal: clipboard contents must never press keys of their
// own (Alt+F4, Enter...) nor be expanded again.
struct MacroSegment {
  bool literal = false;
  std::string text;
  friend bool operator==(const MacroSegment&, const MacroSegment&) = default;
};
using MacroPiece = std::vector<MacroSegment>;

struct MacroInserts {
  std::string clipboard;              // for {CLIP}: the clipboard text, empty without one
  std::array<std::string, 3> slots;   // for {CLIP1}..{CLIP3}
};

// "{CLIP}", then "{CLIP1}", "{CLIP2}", "{CLIP3}", then "{CLR}" ("%{PRTSC}") are replaced in the
// notation parts (case-sensitive), then the result is cut at every "{WAIT}" of a notation part:
// k cuts give k+1 pieces, empty ones included. Empty segments are left out.
std::vector<MacroPiece> ExpandKeyMacro(std::string_view macroText, const MacroInserts& inserts);

// The events of one piece, or invalid when one of its notation parts is. A modifier or a group
// never reaches across into inserted text: each notation part must be complete by itself.
ParsedKeys PieceKeyEvents(const MacroPiece& piece);

inline constexpr uint32_t kMacroPauseMs = 1000;
inline constexpr std::string_view kModifierReleaseKeys = "%{PRTSC}";

class KeyMacroActions {
public:
  virtual ~KeyMacroActions() = default;
  virtual std::string ClipboardText() = 0;  // empty when the clipboard holds no text
  virtual void Type(const std::vector<KeyEvent>& events, bool wait) = 0;
  virtual void PumpPendingMessages() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // A piece that is not typed because its notation is invalid.
  virtual void SkippedPiece(std::string_view reason) {}
};

// The macro run: nothing for an empty text; otherwise the expansion (the clipboard is read only
// when the text asks for it), "%{PRTSC}" typed once without waiting, and for every piece: its keys
// typed without waiting unless it is empty or invalid, pending messages processed, a pause of
// one second.
void PlayKeyMacro(std::string_view macroText, const std::array<std::string, 3>& slots, KeyMacroActions& actions);

}  // namespace qb
