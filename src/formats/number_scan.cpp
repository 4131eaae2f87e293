#include "formats/number_scan.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "formats/export_file.h"
#include "formats/export_text.h"

namespace korvanta {
namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

// The decimal order of magnitude of a number too large or too small for a float decides
// which way it saturates.
bool IsAboveOne(std::string_view integer_digits, std::string_view fraction_digits,
                long long exponent) {
  const auto first_integer = integer_digits.find_first_not_of('0');
  if (first_integer != std::string_view::npos) {
    return static_cast<long long>(integer_digits.size() - first_integer - 1) + exponent >= 0;
  }
  const auto first_fraction = fraction_digits.find_first_not_of('0');
  if (first_fraction == std::string_view::npos) return false;
  return -static_cast<long long>(first_fraction + 1) + exponent >= 0;
}

}  // namespace

ScannedNumber<std::int32_t> ScanInteger(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digits = CountDigits(text, pos);
  if (digits == 0) return {};
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t magnitude = 0;
  for (std::size_t i = pos; i < pos + digits; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kMax + 1) magnitude = kMax + 1;  // saturated; further digits change nothing
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  const std::int64_t clamped = value > kMax ? kMax : (value < kMin ? kMin : value);
  return {static_cast<std::int32_t>(clamped), pos + digits};
}

ScannedNumber<float> ScanFloat(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t integer_start = pos;
  const std::size_t integer_digits = CountDigits(text, pos);
  pos += integer_digits;
  std::size_t fraction_start = pos;
  std::size_t fraction_digits = 0;
  if (pos < text.size() && text[pos] == '.') {
    fraction_start = pos + 1;
    fraction_digits = CountDigits(text, fraction_start);
    if (integer_digits + fraction_digits > 0) pos = fraction_start + fraction_digits;
  }
  if (integer_digits + fraction_digits == 0) return {};

  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exp_pos = pos + 1;
    bool exp_negative = false;
    if (exp_pos < text.size() && (text[exp_pos] == '+' || text[exp_pos] == '-')) {
      exp_negative = text[exp_pos] == '-';
      ++exp_pos;
    }
    const std::size_t exp_digits = CountDigits(text, exp_pos);
    if (exp_digits > 0) {  // a bare "e" is not part of the number
      for (std::size_t i = exp_pos; i < exp_pos + exp_digits; ++i) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
      }
      if (exp_negative) exponent = -exponent;
      pos = exp_pos + exp_digits;
    }
  }

  // from_chars takes no leading '+'; the sign is applied afterwards.
  const std::string_view unsigned_text = text.substr(integer_start, pos - integer_start);
  float magnitude = 0.0F;
  const auto result =
      std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    const bool huge = IsAboveOne(text.substr(integer_start, integer_digits),
                                 text.substr(fraction_start, fraction_digits), exponent);
    magnitude = huge ? std::numeric_limits<float>::max() : 0.0F;
  }
  return {negative ? -magnitude : magnitude, pos};
}

std::int32_t TextToInteger(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsWhiteSpace(text[start])) ++start;
  return ScanInteger(text.substr(start)).value;
}

float TextToFloat(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsWhiteSpace(text[start])) ++start;
  return ScanFloat(text.substr(start)).value;
}

}  // namespace korvanta
