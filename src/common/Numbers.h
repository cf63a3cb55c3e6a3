#pragma once
// Numbers typed into settings, read the way the settings file has always been read: blanks around
// the number are allowed, so are a sign, a decimal point and an exponent ("1.0" is 1, " 2000 " is
// 2000); anything else is not a number. Integers are rounded half to even (2.5 -> 2, 3.5 -> 4).
#include <cstdint>
#include <optional>
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

}  // namespace qb
