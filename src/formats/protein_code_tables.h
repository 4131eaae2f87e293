// Code tables of the protein and concentration formats. Each lookup gives nothing for a code
// outside its table, so the cell it feeds keeps what the template holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {

// Method code of the standard-curve formats: 1 "BRADFORD", 2 "LOWRY", 3 "BCA", 4 "BIURET".
std::optional<std::string_view> StandardCurveMethodText(std::int32_t code);

// Method code of the UV format: 1 "BRADFORD", 3 "BCA", 4 "BIURET" (2 is the labelling method,
// which never reaches this table).
std::optional<std::string_view> ProteinUvMethodText(std::int32_t code);

// Two-character unit code of the standard-curve formats, compared as a whole: "00" "ug/ml"
// .. "15" "conc"; "1" or "001" match nothing.
std::optional<std::string_view> StandardCurveUnitText(std::string_view code);

// One-character unit code of the UV and labelling formats: "0" "ug/ml" .. "3" "mg/ml";
// "00" matches nothing.
std::optional<std::string_view> ProteinUvUnitText(std::string_view code);

// Calibration mode: 0 "STD", 1 "K factor".
std::optional<std::string_view> CalibrationModeText(std::int32_t mode);

// Protein type of the UV and labelling formats: 0 "BSA" .. 6 "Ext Coeff.".
std::optional<std::string_view> ProteinTypeName(std::int32_t code);

}  // namespace korvanta
