#include "hotkeys/KeyMacro.h"

namespace qb {

namespace {

constexpr std::string_view kWait = "{WAIT}";

// Appends a segment, leaving out empty ones and joining it to a previous one of the same kind,
// so that a placeholder replaced by nothing leaves the notation around it as one text.
void Append(std::vector<MacroSegment>& segments, bool literal, std::string_view text) {
  if (text.empty()) return;
  if (!segments.empty() && segments.back().literal == literal) {
    segments.back().text.append(text);
  } else {
    segments.push_back({literal, std::string(text)});
  }
}

// Replaces `placeholder` in the notation segments only; what is put in is never searched again.
std::vector<MacroSegment> Replace(const std::vector<MacroSegment>& segments, std::string_view placeholder,
                                  std::string_view replacement, bool literal) {
  std::vector<MacroSegment> out;
  for (const MacroSegment& segment : segments) {
    if (segment.literal) {
      Append(out, true, segment.text);
      continue;
    }
    const std::string_view text = segment.text;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(placeholder, pos)) != std::string_view::npos;
         pos = hit + placeholder.size()) {
      Append(out, false, text.substr(pos, hit - pos));
      Append(out, literal, replacement);
    }
    Append(out, false, text.substr(pos));
  }
  return out;
}

bool IsEmpty(const MacroPiece& piece) {
  for (const MacroSegment& segment : piece) {
    if (!segment.text.empty()) return false;
  }
  return true;
}

}  // namespace

std::vector<MacroPiece> ExpandKeyMacro(std::string_view macroText, const MacroInserts& inserts) {
  std::vector<MacroSegment> segments;
  Append(segments, false, macroText);
  segments = Replace(segments, "{CLIP}", inserts.clipboard, true);
  segments = Replace(segments, "{CLIP1}", inserts.slots[0], true);
  segments = Replace(segments, "{CLIP2}", inserts.slots[1], true);
  segments = Replace(segments, "{CLIP3}", inserts.slots[2], true);
  // The release sequence is notation of the program's own, so it stays notation.
  segments = Replace(segments, "{CLR}", kModifierReleaseKeys, false);

  std::vector<MacroPiece> pieces(1);
  for (const MacroSegment& segment : segments) {
    if (segment.literal) {
      Append(pieces.back(), true, segment.text);
      continue;
    }
    const std::string_view text = segment.text;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(kWait, pos)) != std::string_view::npos; pos = hit + kWait.size()) {
      Append(pieces.back(), false, text.substr(pos, hit - pos));
      pieces.emplace_back();
    }
    Append(pieces.back(), false, text.substr(pos));
  }
  return pieces;
}

ParsedKeys PieceKeyEvents(const MacroPiece& piece) {
  ParsedKeys result;
  for (const MacroSegment& segment : piece) {
    if (segment.literal) {
      const std::vector<KeyEvent> events = LiteralKeyEvents(segment.text);
      result.events.insert(result.events.end(), events.begin(), events.end());
      continue;
    }
    ParsedKeys part = ParseKeyNotation(segment.text);
    if (!part.valid) return part;
    result.events.insert(result.events.end(), part.events.begin(), part.events.end());
  }
  return result;
}

void PlayKeyMacro(std::string_view macroText, const std::array<std::string, 3>& slots, KeyMacroActions& actions) {
  if (macroText.empty()) return;
  MacroInserts inserts;
  // Only a macro that asks for the clipboard opens it.
  if (macroText.find("{CLIP}") != std::string_view::npos) inserts.clipboard = actions.ClipboardText();
  inserts.slots = slots;
  const std::vector<MacroPiece> pieces = ExpandKeyMacro(macroText, inserts);

  actions.Type(ParseKeyNotation(kModifierReleaseKeys).events, false);
  for (const MacroPiece& piece : pieces) {
    if (!IsEmpty(piece)) {
      const ParsedKeys keys = PieceKeyEvents(piece);
      if (keys.valid) {
        actions.Type(keys.events, false);
      } else {
        actions.SkippedPiece(keys.reason);
      }
    }
    actions.PumpPendingMessages();
    actions.Sleep(kMacroPauseMs);
  }
}

}  // namespace qb
