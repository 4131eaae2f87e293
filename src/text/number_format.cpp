#include "text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace korvanta::text {
namespace {

// The instrument software rounds through a 32-bit integer. Every scaled float below 2^31 takes
// its path unchanged; at and beyond it the scaled float is integral already, so the value's own
// decimal expansion is the right text (the 32-bit path overflowed there).
constexpr float kInstrumentRoundingLimit = 2147483648.0f;

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

// Correctly rounded fixed-point text of `value` with `decimals` digits after the point (none and
// no point for 0 decimals), as the runtime's fcvt digits assemble it: never a bare "-" on zero.
std::string FixedText(double value, int decimals) {
  // Enough for the 309 integer digits of the largest double, the sign, point and decimals.
  std::string text(static_cast<std::size_t>(decimals) + 320, '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                    std::chars_format::fixed, decimals);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));
  if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

template <typename Float>
std::string ShortestText(Float value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0) return "0";  // also for -0: a cell never shows a signed zero
  char buffer[64];
  const Float magnitude = std::fabs(value);
  // Plain decimals read best; exponents only where they would run long.
  const bool plain = magnitude >= Float(1e-5) && magnitude < Float(1e15);
  const auto result =
      plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Decimal exponent of the first significant digit of a literal that from_chars found out of
// range: negative means it underflowed towards zero, otherwise it overflowed.
long long ScientificExponent(std::string_view integer_digits, std::string_view fraction_digits,
                             std::string_view exponent_text) {
  long long exponent = 0;
  bool negative_exponent = false;
  if (!exponent_text.empty() && (exponent_text.front() == '+' || exponent_text.front() == '-')) {
    negative_exponent = exponent_text.front() == '-';
    exponent_text.remove_prefix(1);
  }
  for (const char c : exponent_text) exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL);
  if (negative_exponent) exponent = -exponent;

  const auto in_integer = integer_digits.find_first_not_of('0');
  if (in_integer != std::string_view::npos) {
    return exponent + static_cast<long long>(integer_digits.size() - in_integer) - 1;
  }
  const auto in_fraction = fraction_digits.find_first_not_of('0');
  return exponent - static_cast<long long>(in_fraction) - 1;
}

}  // namespace

std::int64_t RoundHalfAway(float x) {
  if (std::isnan(x)) return 0;
  const double shifted = x < 0 ? static_cast<double>(x) - 0.5 : static_cast<double>(x) + 0.5;
  constexpr double kTwoToThe63 = 9223372036854775808.0;
  if (shifted >= kTwoToThe63) return std::numeric_limits<std::int64_t>::max();
  if (shifted <= -kTwoToThe63) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(shifted);  // truncates toward zero
}

std::string FormatFixed(float value, int decimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  decimals = std::max(decimals, 0);

  // Each step is computed in double and stored back into the float, as the instrument does.
  float scaled = value;
  for (int i = 0; i < decimals && std::isfinite(scaled); ++i) {
    scaled = static_cast<float>(static_cast<double>(scaled) * 10.0);
  }
  if (!(std::fabs(scaled) < kInstrumentRoundingLimit)) return FixedText(value, decimals);

  float rounded = static_cast<float>(RoundHalfAway(scaled));
  for (int i = 0; i < decimals; ++i) {
    rounded = static_cast<float>(static_cast<double>(rounded) / 10.0);
  }
  return FixedText(rounded, decimals);
}

std::string FormatDecimal(float value, int decimals) {
  std::string text = FormatFixed(value, decimals);
  // Only digits after a point are trailing zeros; "100" with no point keeps its zeros.
  if (text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string ShortestFloatText(float value) { return ShortestText(value); }

std::string ShortestDoubleText(double value) { return ShortestText(value); }

std::optional<double> ParseTypedNumber(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissa_begin = i;
  const std::size_t integer_end = SkipDigits(text, i);
  const std::string_view integer_digits = text.substr(i, integer_end - i);
  i = integer_end;
  std::string_view fraction_digits;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_end = SkipDigits(text, i + 1);
    fraction_digits = text.substr(i + 1, fraction_end - i - 1);
    i = fraction_end;
  }
  if (integer_digits.empty() && fraction_digits.empty()) return std::nullopt;
  std::string_view exponent_text;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t exponent_begin = i + 1;
    std::size_t digits_begin = exponent_begin;
    if (digits_begin < text.size() && (text[digits_begin] == '+' || text[digits_begin] == '-')) {
      ++digits_begin;
    }
    const std::size_t exponent_end = SkipDigits(text, digits_begin);
    if (exponent_end == digits_begin) return std::nullopt;
    exponent_text = text.substr(exponent_begin, exponent_end - exponent_begin);
    i = exponent_end;
  }
  if (i != text.size()) return std::nullopt;

  double magnitude = 0;
  const auto result =
      std::from_chars(text.data() + mantissa_begin, text.data() + text.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to hold is zero, as the spreadsheet takes it; too large stays text.
    if (ScientificExponent(integer_digits, fraction_digits, exponent_text) >= 0) {
      return std::nullopt;
    }
    magnitude = 0;
  } else if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  if (magnitude == 0) return 0.0;  // "-0" is plain zero in a cell
  return negative ? -magnitude : magnitude;
}

}  // namespace korvanta::text
