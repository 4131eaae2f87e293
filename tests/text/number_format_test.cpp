#include "text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace korvanta::text {
namespace {

TEST(RoundHalfAway, RoundsHalvesAwayFromZero) {
  const struct {
    float x;
    std::int64_t expected;
  } cases[] = {{2.5f, 3},       {-2.5f, -3}, {-0.4f, 0},           {0.4f, 0},
               {0.5f, 1},       {-0.5f, -1}, {1.49f, 1},           {-1.51f, -2},
               {0.0f, 0},       {-0.0f, 0},  {3.0e9f, 3000000000}, {-3.0e9f, -3000000000},
               {0.49999997f, 0}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfAway(c.x), c.expected) << c.x;
}

TEST(RoundHalfAway, SaturatesWhereNoIntegerHoldsTheFloat) {
  EXPECT_EQ(RoundHalfAway(1e30f), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(RoundHalfAway(-1e30f), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(RoundHalfAway(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(RoundHalfAway(1e18f), static_cast<std::int64_t>(1e18f));
}

struct FormatCase {
  float value;
  int decimals;
  const char* fixed;
  const char* decimal;
};

TEST(FormatFixedAndDecimal, InstrumentExamples) {
  const FormatCase cases[] = {
      {12.5f, 4, "12.5000", "12.5"},
      {0.0123f, 4, "0.0123", "0.0123"},
      {-1.23456f, 4, "-1.2346", "-1.2346"},
      {0.0f, 4, "0.0000", "0"},
      {3.0f, 4, "3.0000", "3"},
      {2.50004f, 4, "2.5000", "2.5"},
      {100.0f, 4, "100.0000", "100"},
      {546.0f, 4, "546.0000", "546"},
      {0.00004f, 4, "0.0000", "0"},
      // 0.00005 scaled four times in single precision is 0.49999997, which rounds down.
      {0.00005f, 4, "0.0000", "0"},
      {0.00015f, 4, "0.0002", "0.0002"},
      {1.5f, 1, "1.5", "1.5"},
      {2.25f, 2, "2.25", "2.25"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.fixed) << c.value;
    EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.decimal) << c.value;
  }
}

TEST(FormatFixedAndDecimal, NeverShowsANegativeZero) {
  for (const float value : {-0.0f, -0.00004f, -0.00001f, -1e-30f}) {
    EXPECT_EQ(FormatFixed(value, 4), "0.0000") << value;
    EXPECT_EQ(FormatDecimal(value, 4), "0") << value;
  }
  EXPECT_EQ(FormatFixed(-0.4f, 0), "0");
}

TEST(FormatFixedAndDecimal, NoDecimalsDropsThePointAndKeepsIntegerZeros) {
  EXPECT_EQ(FormatFixed(12.5f, 0), "13");
  EXPECT_EQ(FormatFixed(-2.5f, 0), "-3");
  EXPECT_EQ(FormatDecimal(100.0f, 0), "100");
  EXPECT_EQ(FormatDecimal(-20.0f, 0), "-20");
  EXPECT_EQ(FormatFixed(7.0f, -2), "7");
}

TEST(FormatFixedAndDecimal, RightBeyondTheThirtyTwoBitRange) {
  const FormatCase cases[] = {
      {1e6f, 4, "1000000.0000", "1000000"},
      {-1e6f, 4, "-1000000.0000", "-1000000"},
      {300000.5f, 4, "300000.5000", "300000.5"},
      {-300000.25f, 4, "-300000.2500", "-300000.25"},
      {3.0e9f, 4, "3000000000.0000", "3000000000"},
      {-3.0e9f, 4, "-3000000000.0000", "-3000000000"},
      // The float nearest 1e20 is 100000002004087734272; its digits are what it holds.
      {1e20f, 4, "100000002004087734272.0000", "100000002004087734272"},
      {-1e20f, 4, "-100000002004087734272.0000", "-100000002004087734272"},
      {16777216.0f, 1, "16777216.0", "16777216"},
      {1e30f, 0, "1000000015047466219876688855040", "1000000015047466219876688855040"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.fixed) << c.value;
    EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.decimal) << c.value;
  }
  const float largest = std::numeric_limits<float>::max();
  EXPECT_EQ(FormatDecimal(largest, 4).size(), 39u);
}

TEST(FormatFixedAndDecimal, NonFiniteValuesGiveTextInsteadOfACrash) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(FormatFixed(std::numeric_limits<float>::quiet_NaN(), 4), "NaN");
  EXPECT_EQ(FormatFixed(inf, 4), "Inf");
  EXPECT_EQ(FormatDecimal(-inf, 4), "-Inf");
}

// The instrument's own routine, valid only where the scaled value fits a 32-bit integer: rounds
// through int32 and converts the widened float with the C library.
std::string InstrumentFixed(float value, int decimals) {
  for (int i = 0; i < decimals; ++i) value = static_cast<float>(value * 10.0);
  const double shifted = value < 0 ? value - 0.5 : value + 0.5;
  value = static_cast<float>(static_cast<std::int32_t>(shifted));
  for (int i = 0; i < decimals; ++i) value = static_cast<float>(value / 10.0);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
  return buffer;
}

TEST(FormatFixedAndDecimal, MatchTheInstrumentEverywhereInsideItsRange) {
  std::mt19937 random(20240521);
  std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
  std::uniform_int_distribution<int> exponent(-6, 5);
  int checked = 0;
  while (checked < 200000) {
    const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
    if (!(std::fabs(value) < 214748.0f)) continue;
    ASSERT_EQ(FormatFixed(value, 4), InstrumentFixed(value, 4)) << value;
    ++checked;
  }
  for (const float edge : {214748.0f, -214748.0f, 214748.34f, 123456.78f, -123456.78f, 838.8608f}) {
    EXPECT_EQ(FormatFixed(edge, 4), InstrumentFixed(edge, 4)) << edge;
  }
}

TEST(ShortestText, ReadsBackAsTheSameValue) {
  EXPECT_EQ(ShortestFloatText(0.1f), "0.1");
  EXPECT_EQ(ShortestFloatText(0.125f), "0.125");
  EXPECT_EQ(ShortestFloatText(546.0f), "546");
  EXPECT_EQ(ShortestFloatText(-1.23456f), "-1.23456");
  EXPECT_EQ(ShortestFloatText(0.0001f), "0.0001");
  EXPECT_EQ(ShortestFloatText(-0.0f), "0");
  EXPECT_EQ(ShortestDoubleText(0.1), "0.1");
  EXPECT_EQ(ShortestDoubleText(static_cast<double>(0.1f)), "0.10000000149011612");
  EXPECT_EQ(ShortestDoubleText(-0.0), "0");
  EXPECT_EQ(ShortestDoubleText(123456789012.0), "123456789012");

  std::mt19937 random(7);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int i = 0; i < 100000; ++i) {
    const std::uint32_t pattern = bits(random);
    float value;
    static_assert(sizeof value == sizeof pattern);
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = ShortestFloatText(value);
    ASSERT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
  }
}

TEST(ShortestText, ExtremesUseExponentsAValueCellAccepts) {
  EXPECT_EQ(ShortestFloatText(1e-7f), "1e-07");
  EXPECT_EQ(ShortestFloatText(1e20f), "1e+20");
  EXPECT_EQ(ShortestDoubleText(1e300), "1e+300");
  EXPECT_EQ(ShortestDoubleText(std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(ShortestFloatText(-std::numeric_limits<float>::infinity()), "-Inf");
}

TEST(ParseTypedNumber, AcceptsDecimalNumbersAsTyped) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"0", 0},
               {"12", 12},
               {"-12", -12},
               {"+0.5", 0.5},
               {".5", 0.5},
               {"5.", 5},
               {"-.5", -0.5},
               {"1.25e3", 1250},
               {"1E-3", 0.001},
               {"2e+2", 200},
               {"  3.5  ", 3.5},
               {"\t7\t", 7},
               {"007", 7},
               {"5.e1", 50},
               {"-0", 0},
               {"1e-999", 0},
               {"0.100000001490116", 0.100000001490116}};
  for (const auto& c : cases) {
    const auto parsed = ParseTypedNumber(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(*parsed, c.value) << c.text;
  }
  EXPECT_FALSE(std::signbit(*ParseTypedNumber("-0")));
}

TEST(ParseTypedNumber, LeavesEverythingElseAsText) {
  for (const char* text : {"",
                           "   ",
                           "+",
                           "-",
                           ".",
                           "+.",
                           "e5",
                           "1e",
                           "1e+",
                           "1,5",
                           "1 000",
                           "1/2",
                           "5%",
                           "$5",
                           "2024-05-21",
                           "12:30",
                           "inf",
                           "-inf",
                           "nan",
                           "0x10",
                           "1e999",
                           "-1e400",
                           "++1",
                           "+-1",
                           "1.2.3",
                           "1e5.5",
                           "abc",
                           "12abc",
                           "1d5",
                           "\xc2\xa0"
                           "5",
                           "5\n",
                           "(5)",
                           "1e--3"}) {
    EXPECT_EQ(ParseTypedNumber(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace korvanta::text
