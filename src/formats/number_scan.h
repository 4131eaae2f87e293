// Reading a decimal number at the start of a text, the way formatted input does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvanta {

template <typename T>
struct ScannedNumber {
  T value{};
  std::size_t length = 0;  // characters taken; 0 when the text does not start with a number
};

// An optionally signed run of decimal digits; values beyond 32 bits saturate.
ScannedNumber<std::int32_t> ScanInteger(std::string_view text);

// Optional sign, digits with an optional point and fraction (at least one digit), optional
// exponent. Rounded to the nearest float; beyond the float range it saturates to the largest
// float, below it gives zero.
ScannedNumber<float> ScanFloat(std::string_view text);

}  // namespace korvanta
