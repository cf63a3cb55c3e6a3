#pragma once
// Numbers typed into settings, read the way the settings file has always been read: blanks around
// the number are allowed, so are a sign, a decimal point and an exponent ("1.0" is 1, " 2000 " is
// 2000); anything else is not a number. Integers are rounded half to even (2.5 -> 2, 3.5 -> 4).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// nullopt for empty text, stray characters, or a magnitude a double cannot hold.
std::optional<double> ParseNumber(std::string_view text);

// Rounded half to even; nullopt when not a number or outside [min, max].
std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max);
std::optional<int32_t> ParseInt32(std::string_view text);
std::optional<int16_t> ParseInt16(std::string_view text);

// Round half to even, the rounding of the old integer conversions.
double RoundHalfEven(double value);

// The decimal text of a single-precision number, as window places are stored: whole numbers
// without a decimal point ("1500", "-15"), others with up to seven significant digits.
std::string SingleText(double value);

// Window places are stored in twips, 1/1440 inch.
inline constexpr double kTwipsPerInch = 1440.0;
// Twips per pixel of a screen of that many pixels per inch (15 at 96); 15 when dpi is unusable.
double TwipsPerPixel(int dpi);

}  // namespace qb
