// The ASM document of a Protein standard-curve or Concentration file: the standards, every
// sample read at every wavelength, its OD value and its concentration.
#include <string>

#include "asm/asm_builders.h"
#include "asm/asm_units.h"
#include "formats/protein_code_tables.h"
#include "formats/standard_curve_format.h"

namespace korvanta {

namespace {

void AddSettings(AsmDocument& document, const StandardCurveRecord& record, std::string_view unit) {
  document.SetPathLength(record.pathlength);
  document.AddSetting("method", StandardCurveMethodText(record.opening.MethodCode()).value_or(""));
  document.AddQuantitySetting("dilution factor", record.dilution_factor, kAsmUnitless);
  document.AddSetting("concentration unit", unit);
  if (record.calibration_mode) {
    document.AddSetting("calibration mode",
                        CalibrationModeText(*record.calibration_mode).value_or(""));
  }
  // CONC = k1 * OD + k0 with a dimensionless OD: both terms carry the concentration's unit.
  const std::string_view schema_unit = AsmConcentrationUnitText(unit);
  document.AddQuantitySetting("k0", record.k0, schema_unit);
  document.AddQuantitySetting("k1", record.k1, schema_unit);
  if (record.r) document.AddQuantitySetting("R", *record.r, kAsmUnitless);
}

}  // namespace

AsmJson StandardCurveAsm(const StandardCurveRecord& record, const AsmSource& source) {
  AsmDocument document(source);
  const std::string_view unit = StandardCurveUnitText(record.unit_style).value_or("");
  const std::string_view schema_unit = AsmConcentrationUnitText(unit);
  const bool k0_negative = record.k0.starts_with('-');
  const std::string equation = "CONC = " + record.k1 + " * OD " + (k0_negative ? "- " : "+ ") +
                               record.k0.substr(k0_negative ? 1 : 0);
  AddSettings(document, record, unit);
  // The OD of a standard is read at the one wavelength, or worked out from several.
  const std::optional<double> standard_wavelength =
      record.wavelengths.size() == 1 ? std::optional(AsmNumber(record.wavelengths.front()))
                                     : std::nullopt;
  for (std::size_t k = 0; k < record.standards.size(); ++k) {
    const CurveStandard& standard = record.standards[k];
    const std::string number = std::to_string(k + 1);
    const AsmSample sample{"STD" + number, record.sample_name, true};
    if (document.AddAbsorbance("STD" + number,
                               {sample, standard_wavelength, standard.second, std::nullopt})) {
      document.AddMeasurementValue("standard concentration", standard.first, schema_unit);
    }
  }
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const CurveSample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const AsmSample who{sample.sample_id, record.sample_name};
    std::vector<std::string> readings;
    for (std::size_t j = 0; j < sample.wl_od_values.size() && j < record.wavelengths.size(); ++j) {
      const auto id = document.AddAbsorbance(
          key + "_W" + std::to_string(j + 1),
          {who, AsmNumber(record.wavelengths[j]), sample.wl_od_values[j], std::nullopt});
      if (id) readings.push_back(*id);
    }
    document.AddCalculated({key + "_OD", "OD value", sample.sample_id, sample.od_value, readings,
                            "the OD the method works out from the readings at its wavelengths"},
                           kAsmAbsorbanceUnit);
    document.AddConcentration(
        {key + "_CONC", "concentration", sample.sample_id, sample.concentration, readings,
         equation + ", OD the sample's OD value"},
        unit);
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
