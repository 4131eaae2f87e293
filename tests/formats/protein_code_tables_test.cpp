#include "formats/protein_code_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace korvanta {
namespace {

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

// Codes from `first` to `last` are known, every other number is refused.
template <typename Lookup>
void ExpectNumberRange(Lookup lookup, std::int32_t first, std::int32_t last,
                       std::initializer_list<std::int32_t> gaps = {}) {
  for (std::int32_t code = first; code <= last; ++code) {
    const bool gap = std::find(gaps.begin(), gaps.end(), code) != gaps.end();
    EXPECT_EQ(lookup(code).has_value(), !gap) << code;
  }
  for (const std::int32_t code : {first - 1, last + 1, -1, kLowest, kHighest}) {
    EXPECT_FALSE(lookup(code).has_value()) << code;
  }
}

TEST(ProteinCodeTables, NumberCodesOutsideTheirRangeAreRefused) {
  ExpectNumberRange(StandardCurveMethodText, 1, 4);
  ExpectNumberRange(ProteinUvMethodText, 1, 4, {2});  // 2 is the labelling method
  ExpectNumberRange(CalibrationModeText, 0, 1);
  ExpectNumberRange(ProteinTypeName, 0, 6);
}

TEST(ProteinCodeTables, UnitCodesMatchOnlyAsWholeCodesOfTheirWidth) {
  for (int code = 0; code <= 15; ++code) {
    const std::string two_digits = (code < 10 ? "0" : "") + std::to_string(code);
    EXPECT_TRUE(StandardCurveUnitText(two_digits).has_value()) << two_digits;
  }
  for (const char* code : {"1", "0", "001", "16", "99", "-1", "1a", "", " 1"}) {
    EXPECT_FALSE(StandardCurveUnitText(code).has_value()) << code;
  }
  for (const char* code : {"0", "1", "2", "3"}) {
    EXPECT_TRUE(ProteinUvUnitText(code).has_value()) << code;
  }
  for (const char* code : {"00", "03", "4", "9", "", "a"}) {
    EXPECT_FALSE(ProteinUvUnitText(code).has_value()) << code;
  }
}

TEST(ProteinCodeTables, TheUvAndStandardCurveMethodsAgreeWhereBothHaveACode) {
  for (const std::int32_t code : {1, 3, 4}) {
    EXPECT_EQ(ProteinUvMethodText(code), StandardCurveMethodText(code)) << code;
  }
}

}  // namespace
}  // namespace korvanta
