// Number-to-text conversions in the instrument software's manner, which the reports, the ASM
// documents and inspect share, and the typed-input rule for text cells.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta::text {

// Rounds half away from zero: 2.5 -> 3, -2.5 -> -3, -0.4 -> 0. Wide enough for any float.
std::int64_t RoundHalfAway(float x);

// Fixed-point text with exactly `decimals` digits after the point (12.5, 4 -> "12.5000").
// The value is scaled, rounded and unscaled in single precision, as the instrument software
// does, so results match its reports digit for digit; values of any magnitude are right.
std::string FormatFixed(float value, int decimals);

// FormatFixed without trailing zeros and without a bare point (12.5 -> "12.5", 3 -> "3",
// -0.00004 -> "0").
std::string FormatDecimal(float value, int decimals);

// Shortest decimal text that reads back as the same float (0.1f -> "0.1").
std::string ShortestFloatText(float value);
// Shortest decimal text that reads back as the same double.
std::string ShortestDoubleText(double value);

// The typed-input rule: a text that reads as a decimal number (optional sign, digits, point,
// exponent; surrounding blanks allowed) gives that number; anything else gives nothing.
// Never dates, fractions, percentages or thousands separators.
std::optional<double> ParseTypedNumber(std::string_view text);

}  // namespace korvanta::text
