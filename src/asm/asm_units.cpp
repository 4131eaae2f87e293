#include "asm/asm_units.h"

#include <array>
#include <utility>

namespace korvanta {
namespace {

// The schema writes micrograms as "ug" and microlitres with the micro sign U+00B5.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kMassConcentrationUnits{{
    {"ug/ml", "ug/mL"},
    {"ug/ul", "ug/\u00B5L"},
    {"ng/ul", "ng/\u00B5L"},
    {"mg/ml", "mg/mL"},
    {"mg/l", "mg/L"},
    {"g/l", "g/L"},
    {"ppm", "ppm"},
    {"ppb", "ppb"},
}};

}  // namespace

std::optional<std::string_view> AsmMassConcentrationUnit(std::string_view instrument_unit) {
  for (const auto& [instrument, schema] : kMassConcentrationUnits) {
    if (instrument == instrument_unit) return schema;
  }
  return std::nullopt;
}

std::string_view AsmConcentrationUnitText(std::string_view instrument_unit) {
  return AsmMassConcentrationUnit(instrument_unit).value_or(instrument_unit);
}

}  // namespace korvanta
