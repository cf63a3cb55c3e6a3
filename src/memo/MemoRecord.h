#pragma once
// The memo records of the settings file, apart from any window: how a memo's text is stored, its
// place and size, its colours, font and opacity with their fallbacks, and which memo number a new
// memo takes. Every value read here may be junk typed by hand; each has a usable answer.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Canvas.h"
#include "common/Geometry.h"

namespace qb {

inline constexpr int kMemoSlots = 11;  // memo numbers 0 to 10

// The stored form of a text box's text: empty when nothing but blanks is left after trimming
// (the slot is then free at the next start); otherwise every line break (CR LF, a lone CR or a
// lone LF) becomes "@@" and nothing else changes.
std::string EncodeMemoText(std::string_view boxText);
// The text box's text for a stored value: every "@@" becomes CR LF.
std::string DecodeMemoText(std::string_view stored);

// The stored place and outer size of a memo window, in twips. Values are read as 32-bit numbers
// (rounded half to even); a place that is no such number is 0. A size that is missing or no such
// number is the new-memo size: the keys' own defaults (100 x 50 twips, 7 x 3 pixels) would show a
// memo nobody can see, grab or read.
inline constexpr int32_t kNewMemoWidthTwips = 4680;
inline constexpr int32_t kNewMemoHeightTwips = 3195;
struct MemoPlaceTwips {
  int32_t top = 0;
  int32_t left = 0;
  int32_t width = kNewMemoWidthTwips;
  int32_t height = kNewMemoHeightTwips;
  friend bool operator==(const MemoPlaceTwips&, const MemoPlaceTwips&) = default;
};
MemoPlaceTwips MemoPlaceFromTexts(std::string_view top, std::string_view left, std::string_view width,
                                  std::string_view height);

// Everything a memo looks like. Each memo-specific key is taken on its own when it is not empty
// and usable, otherwise the common one (or, when that is junk too, the common default).
struct MemoStyle {
  Colour back = 5373951;  // pale yellow
  Colour text = 0;
  std::string face = "ＭＳ ゴシック";
  double points = 10;
  bool italic = false;
  bool bold = false;
  friend bool operator==(const MemoStyle&, const MemoStyle&) = default;
};
MemoStyle ReadMemoStyle(int n);

// DESKTOPMEMO/Trans: the opacity of every memo, or nullopt when the memos are opaque (255, or a
// value that is no number in 0..255, which is not worth hiding a memo for).
std::optional<uint8_t> ReadMemoOpacity();

// A flag as the settings hold it: "True"/"False" (any case) or a number, non-zero meaning true.
std::optional<bool> FlagFromSettingText(std::string_view text);

// The number a new memo takes: the lowest one that has no open window and whose stored text is
// empty, so that a new memo never overwrites a stored memo that comes back at the next start.
// nullopt when there is none.
std::optional<int> FindFreeMemoSlot(const std::array<bool, kMemoSlots>& open,
                                    const std::function<bool(int)>& storedTextEmpty);
// The same over the settings file.
std::optional<int> FindFreeMemoSlot(const std::array<bool, kMemoSlots>& open);

// A stored memo to show: its number, text and place, read from the settings file. Memos whose
// stored text is empty are not listed. Texts are read whole, whatever their length.
struct StoredMemo {
  int n = 0;
  std::string boxText;  // as the text box shows it: line breaks as CR LF
  MemoPlaceTwips place;
};
std::vector<StoredMemo> ReadStoredMemos();

// What a save writes: MEMO<n> (EncodeMemoText), then TOP<n>, LEFT<n>, WIDTH<n>, HEIGHT<n> as the
// decimal texts of the single-precision twips.
void WriteMemoRecord(int n, std::string_view boxText, double topTwips, double leftTwips, double widthTwips,
                     double heightTwips);

// The region of a memo window, in window coordinates: the inner area and a rim of one pixel
// around it, which cuts the sizing frame down to that rim whatever the frame's width on this
// system (the rim still works as the sizing border). `clientOffset` is where the inner area starts
// inside the window.
PixelRect MemoRegion(PixelPoint clientOffset, int clientWidth, int clientHeight);

// The font command's result, written to MemoFont<n>: Name, Size (whole points), Italic, Bold.
void WriteMemoFont(int n, std::string_view face, int points, bool italic, bool bold);
// The colour commands: FRCOLOR<n> (text) or BKCOLOR<n> (background), as plain decimal.
void WriteMemoTextColour(int n, Colour colour);
void WriteMemoBackColour(int n, Colour colour);

}  // namespace qb
