// Every unit code of the three unit tables, as the ASM document spells its unit.
#include "asm/asm_units.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "formats/dnarna_format.h"
#include "formats/protein_code_tables.h"

namespace korvanta {
namespace {

struct UnitCase {
  std::string_view code;
  std::optional<std::string_view> asm_unit;  // nothing: kept in custom information
};

// The schema's strings: "ug" for micrograms, the micro sign U+00B5 in microlitres.
constexpr std::optional<std::string_view> kNone;

std::optional<std::string_view> Mapped(std::optional<std::string_view> instrument) {
  return instrument ? AsmMassConcentrationUnit(*instrument) : std::nullopt;
}

TEST(AsmUnits, StandardCurveCodesOneByOne) {
  const UnitCase cases[] = {
      {"00", "ug/mL"}, {"01", "ug/\u00B5L"}, {"02", "ng/\u00B5L"}, {"03", "mg/mL"},
      {"04", kNone},   {"05", kNone},        {"06", kNone},        {"07", "mg/L"},
      {"08", kNone},   {"09", kNone},        {"10", "g/L"},        {"11", kNone},
      {"12", "ppm"},   {"13", "ppb"},        {"14", kNone},        {"15", kNone},
  };
  for (const UnitCase& c : cases) {
    ASSERT_TRUE(StandardCurveUnitText(c.code)) << c.code;
    EXPECT_EQ(Mapped(StandardCurveUnitText(c.code)), c.asm_unit) << c.code;
  }
}

TEST(AsmUnits, NucleicAcidCodesOneByOne) {
  const UnitCase cases[] = {
      {"0", "ug/mL"}, {"1", "ug/\u00B5L"}, {"2", "ng/\u00B5L"}, {"3", "mg/mL"},
      {"4", kNone},   {"5", kNone},        {"6", kNone},        {"7", "mg/L"},
      {"8", kNone},   {"9", kNone},        {"10", "g/L"},       {"11", kNone},
      {"12", "ppm"},  {"13", "ppb"},       {"14", kNone},       {"15", kNone},
  };
  for (const UnitCase& c : cases) {
    ASSERT_TRUE(NucleicAcidUnit(c.code)) << c.code;
    EXPECT_EQ(Mapped(NucleicAcidUnit(c.code)), c.asm_unit) << c.code;
  }
}

TEST(AsmUnits, ProteinUvCodesOneByOne) {
  const UnitCase cases[] = {
      {"0", "ug/mL"}, {"1", "ug/\u00B5L"}, {"2", "ng/\u00B5L"}, {"3", "mg/mL"}};
  for (const UnitCase& c : cases) {
    ASSERT_TRUE(ProteinUvUnitText(c.code)) << c.code;
    EXPECT_EQ(Mapped(ProteinUvUnitText(c.code)), c.asm_unit) << c.code;
  }
}

TEST(AsmUnits, NeverTheGreekMuNorAnUnknownText) {
  for (std::string_view text : {"ng/ul", "ug/ul"}) {
    const std::string unit(*AsmMassConcentrationUnit(text));
    EXPECT_EQ(unit.find("\u03BC"), std::string::npos) << text;
  }
  for (std::string_view text : {"", "NG/UL", "ng/\u00B5L", "cells/ml", "mol/l"}) {
    EXPECT_FALSE(AsmMassConcentrationUnit(text)) << text;
  }
}

}  // namespace
}  // namespace korvanta
