// The instrument's concentration units as the ASM schema spells them.
#pragma once

#include <optional>
#include <string_view>

namespace korvanta {

// The schema's unit string for a mass concentration the instrument names `instrument_unit`
// ("ng/ul" -> "ng/\u00B5L", with the schema's micro sign); nothing where the schema has no such
// unit (molar units, "U/l", "%", "conc", "mg/dl", "ug/l").
std::optional<std::string_view> AsmMassConcentrationUnit(std::string_view instrument_unit);
// The unit of a concentration, or of what gives one from a dimensionless absorbance (a factor,
// a calibration term): the schema's spelling where it has one, else the instrument's text.
std::string_view AsmConcentrationUnitText(std::string_view instrument_unit);

}  // namespace korvanta
