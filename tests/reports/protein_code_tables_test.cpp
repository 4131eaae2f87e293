#include "reports/protein_code_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace korvanta {
namespace {

TEST(ProteinCodeTables, StandardCurveUnitsAreWholeTwoCharacterCodes) {
  EXPECT_EQ(StandardCurveUnitText("00"), "ug/ml");
  EXPECT_EQ(StandardCurveUnitText("09"), "ug/l");
  EXPECT_EQ(StandardCurveUnitText("10"), "g/l");
  EXPECT_EQ(StandardCurveUnitText("14"), "%");
  EXPECT_EQ(StandardCurveUnitText("15"), "conc");
  for (const char* code : {"1", "0", "001", "16", "99", "-1", "1a", "", " 1"}) {
    EXPECT_FALSE(StandardCurveUnitText(code).has_value()) << code;
  }
}

TEST(ProteinCodeTables, UvUnitsAreOneCharacterCodes) {
  EXPECT_EQ(ProteinUvUnitText("0"), "ug/ml");
  EXPECT_EQ(ProteinUvUnitText("3"), "mg/ml");
  for (const char* code : {"00", "03", "4", "9", "", "a"}) {
    EXPECT_FALSE(ProteinUvUnitText(code).has_value()) << code;
  }
}

TEST(ProteinCodeTables, MethodTablesDifferInCodeTwo) {
  EXPECT_EQ(StandardCurveMethodText(1), "BRADFORD");
  EXPECT_EQ(StandardCurveMethodText(2), "LOWRY");
  EXPECT_EQ(StandardCurveMethodText(4), "BIURET");
  EXPECT_EQ(ProteinUvMethodText(1), "BRADFORD");
  EXPECT_EQ(ProteinUvMethodText(3), "BCA");
  EXPECT_EQ(ProteinUvMethodText(4), "BIURET");
  EXPECT_FALSE(ProteinUvMethodText(2).has_value());
  for (std::int32_t code : {0, 5, -1, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_FALSE(StandardCurveMethodText(code).has_value()) << code;
    EXPECT_FALSE(ProteinUvMethodText(code).has_value()) << code;
  }
}

TEST(ProteinCodeTables, ProteinTypesAndCalibrationModes) {
  EXPECT_EQ(ProteinTypeName(0), "BSA");
  EXPECT_EQ(ProteinTypeName(3), "lgG(M)");
  EXPECT_EQ(ProteinTypeName(5), "Molor Ext C");
  EXPECT_EQ(ProteinTypeName(6), "Ext Coeff.");
  EXPECT_FALSE(ProteinTypeName(7).has_value());
  EXPECT_FALSE(ProteinTypeName(-1).has_value());
  EXPECT_EQ(CalibrationModeText(0), "STD");
  EXPECT_EQ(CalibrationModeText(1), "K factor");
  EXPECT_FALSE(CalibrationModeText(2).has_value());
  EXPECT_FALSE(CalibrationModeText(-1).has_value());
}

}  // namespace
}  // namespace korvanta
