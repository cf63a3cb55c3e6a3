// Fuzzes the conversions from settings text to numbers, flags, colours, places and sizes that the
// readers of every window use.
//
// Input: the text of one setting value (its first byte also picks a DPI and a fallback).
// Properties: nothing crashes and no undefined arithmetic happens (the sanitizers watch the casts);
// a number is what the C library reads for the same decimal text, and blanks around it change
// nothing; integers are the number rounded half to even and lie in their range, or are refused;
// every converter answers inside its own range or its fallback; a number written as a window
// place reads back as the same single-precision value (to its seven digits); a whole 0 or 1 is a
// check box's state whatever the reading.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "FuzzSupport.h"
#include "accessories/memory/DietPlan.h"
#include "app/AppState.h"
#include "calendar/CalendarWindowModel.h"
#include "calendar/MonthRender.h"
#include "common/DpiScale.h"
#include "common/Numbers.h"
#include "desktop/IconTextChoice.h"
#include "hotkeys/HotkeyTable.h"
#include "memo/MemoRecord.h"
#include "settings_dialog/SettingsDialogSteps.h"

namespace {

using namespace qb;
using fuzz::Check;

void CheckNumber(std::string_view text) {
  const std::optional<double> number = ParseNumber(text);
  Check(ParseNumber(" \t" + std::string(text) + "\t ") == number, "blanks around a number change it");
  if (!number) {
    Check(!ParseInteger(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()),
          "an integer from no number");
    return;
  }
  Check(std::isfinite(*number), "a number that is not finite");
  const std::string trimmed(TrimBlanks(text));
  char* end = nullptr;
  const double reference = std::strtod(trimmed.c_str(), &end);
  Check(end == trimmed.c_str() + trimmed.size(), "a number the C library does not read whole");
  Check(reference == *number || (std::fabs(reference) < std::numeric_limits<double>::min() && *number == 0),
        "a number other than the C library reads");

  const double rounded = RoundHalfEven(*number);
  Check(rounded == std::floor(rounded) && std::fabs(rounded - *number) <= 0.5, "rounding is off by more than half");
  if (std::fabs(rounded - *number) == 0.5) Check(std::fmod(rounded, 2.0) == 0, "a half rounded to odd");
  const std::optional<int32_t> i32 = ParseInt32(text);
  Check(i32.has_value() == (rounded >= -2147483648.0 && rounded <= 2147483647.0), "32-bit range misjudged");
  if (i32) Check(*i32 == rounded, "a 32-bit integer other than the rounded number");
  const std::optional<int16_t> i16 = ParseInt16(text);
  Check(i16.has_value() == (rounded >= -32768.0 && rounded <= 32767.0), "16-bit range misjudged");

  // Window places are written as single precision with seven digits and read back as numbers.
  const float single = static_cast<float>(*number);
  if (std::isfinite(single)) {
    const std::optional<double> back = ParseNumber(SingleText(*number));
    Check(back.has_value(), "a stored place is no number");
    Check(std::fabs(*back - single) <= std::fabs(single) * 1e-6, "a stored place reads back as another number");
  }
  const int dpi = static_cast<int>(static_cast<unsigned char>(text.empty() ? 0 : text[0])) * 2;
  const int pixels = TwipsToPixels(*number, dpi);
  Check(pixels >= -32768 && pixels <= 32767, "a place outside 16 bits");
  Check(FontHeightForPoints(*number, dpi) <= 0, "a font height that is no character height");
  (void)PixelsToTwips(*number, dpi);
}

void CheckConverters(std::string_view text) {
  const std::optional<double> number = ParseNumber(text);
  const std::optional<int64_t> whole = ParseInteger(text, 0, 1);

  const uint32_t back = CalendarBackColourFromText(text);
  Check(back <= 0xFFFFFF, "a calendar colour outside the colours");
  const uint8_t opacity = OpacityFromText(text);
  Check(number || opacity == 255, "an opacity from no number");
  const int place = TwipsTextToPixels(text, 15);
  Check(place >= -32768 && place <= 32767, "a calendar place outside 16 bits");
  (void)CalendarColourFromText(text, 123);

  if (const auto modifier = ModifierFromText(text)) Check(text.size() == 1, "a modifier from more than a digit");
  if (const auto index = KeyListIndexFromText(text)) {
    Check(*index >= 0 && *index < kKeyListSize && KeyListCode(*index) != 0, "a key list index outside the list");
  }
  const int32_t megabytes = DietMegabytes(text);
  Check(megabytes >= kDietMinMegabytes && megabytes <= kDietMaxMegabytes, "a diet size outside its range");
  Check(DietBlockBytes(text) == static_cast<std::size_t>(megabytes) << 20, "a diet block of another size");

  (void)MouseWarpModeFromText(text);
  const int32_t ticks = DietTickLimitFromText(text);
  Check(ticks >= 0 && ticks <= kMaxDietSeconds * 100, "a diet interval outside its range");
  Check(StartupWaitFromText(text) <= kMaxStartupWaitMs, "a start-up wait beyond its limit");
  Check(FlagFromText(text) == (text != "0"), "a flag other than not-zero");

  for (const FlagReading reading : {FlagReading::NotZeroText, FlagReading::NumberIsOne, FlagReading::TextIsOne,
                                    FlagReading::NumberNotZero, FlagReading::WordOrNumber}) {
    for (const bool keyDefault : {false, true}) {
      const bool on = CheckBoxFromText(text, reading, keyDefault);
      if (whole) Check(on == (*whole == 1), "a whole 0 or 1 shown otherwise");
    }
  }
  const int fallback = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 7;
  const int listIndex = ListIndexFromText(text, 5, fallback);
  Check((listIndex >= 0 && listIndex < 5) || listIndex == fallback, "a list index outside the list");
  const Colour colour = ColourBoxFromText(text, 0x1000000);
  Check(colour <= 0xFFFFFF || colour == 0x1000000, "a colour box colour outside the colours");

  if (const std::optional<bool> flag = FlagFromSettingText(text)) {
    Check(number.has_value() || !text.empty(), "a flag from nothing");
    if (number) Check(*flag == (*number != 0), "a numeric flag read otherwise");
  }
  const MemoPlaceTwips memo = MemoPlaceFromTexts(text, text, text, text);
  const std::optional<int32_t> i32 = ParseInt32(text);
  Check(memo.top == i32.value_or(0) && memo.left == memo.top, "a memo place other than the text's integer");
  Check(memo.width == i32.value_or(kNewMemoWidthTwips) && memo.height == i32.value_or(kNewMemoHeightTwips),
        "a memo size other than the text's integer or the new-memo size");
  (void)IconTextBackgroundFor(text, text, 0x123456);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckNumber(text);
  CheckConverters(text);
  return 0;
}
