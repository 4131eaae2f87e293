#include "formats/protein_code_tables.h"

#include <array>
#include <span>
#include <utility>

namespace korvanta {

namespace {

constexpr std::array<std::string_view, 4> kStandardCurveMethods = {"BRADFORD", "LOWRY", "BCA",
                                                                   "BIURET"};

constexpr std::array<std::pair<std::int32_t, std::string_view>, 3> kUvMethods = {{
    {1, "BRADFORD"},
    {3, "BCA"},
    {4, "BIURET"},
}};

constexpr std::array<std::string_view, 16> kStandardCurveUnits = {
    "ug/ml", "ug/ul", "ng/ul", "mg/ml", "pmol/ul", "mmol/ul", "umol/l", "mg/l",
    "mg/dl", "ug/l",  "g/l",   "U/l",   "ppm",     "ppb",     "%",      "conc",
};

constexpr std::array<std::string_view, 4> kUvUnits = {"ug/ml", "ug/ul", "ng/ul", "mg/ml"};

constexpr std::array<std::string_view, 2> kCalibrationModes = {"STD", "K factor"};

constexpr std::array<std::string_view, 7> kProteinTypes = {
    "BSA", "Serum Al(M)", "Serum Al(H)", "lgG(M)", "Lysozyme(C)", "Molor Ext C", "Ext Coeff.",
};

// Entry `index` of `table`, or nothing when the index lies outside it.
std::optional<std::string_view> Entry(std::span<const std::string_view> table, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return std::nullopt;
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

std::optional<std::string_view> StandardCurveMethodText(std::int32_t code) {
  if (code < 1) return std::nullopt;
  return Entry(kStandardCurveMethods, code - 1);
}

std::optional<std::string_view> ProteinUvMethodText(std::int32_t code) {
  for (const auto& [method, text] : kUvMethods) {
    if (method == code) return text;
  }
  return std::nullopt;
}

std::optional<std::string_view> StandardCurveUnitText(std::string_view code) {
  if (code.size() != 2 || code[0] < '0' || code[0] > '9' || code[1] < '0' || code[1] > '9') {
    return std::nullopt;
  }
  return Entry(kStandardCurveUnits, (code[0] - '0') * 10 + (code[1] - '0'));
}

std::optional<std::string_view> ProteinUvUnitText(std::string_view code) {
  if (code.size() != 1 || code[0] < '0' || code[0] > '9') return std::nullopt;
  return Entry(kUvUnits, code[0] - '0');
}

std::optional<std::string_view> CalibrationModeText(std::int32_t mode) {
  return Entry(kCalibrationModes, mode);
}

std::optional<std::string_view> ProteinTypeName(std::int32_t code) {
  return Entry(kProteinTypes, code);
}

}  // namespace korvanta
