// The ASM document of an OD600 file: each sample's OD at the first wavelength; for the
// cell-count form also the count, OD times the factor times the multiple, in 10^6 cells/mL.
#include <array>
#include <cstdio>
#include <string>

#include "asm/asm_builders.h"
#include "formats/export_file.h"
#include "formats/od600_format.h"
#include "text/number_format.h"

namespace korvanta {

namespace {

// The schema's unit of cell density.
constexpr std::string_view kCellCountUnit = "10^6 cells/mL";
constexpr double kCellsPerUnit = 1e6;

// The record's count (OD times factor, in units of the multiple) in 10^6 cells/mL: the report
// shows the multiple apart, a document's value must stand alone.
// 15 significant digits drop the noise of the division (55.2 / 1000 reads 0.0552).
std::string CellCountInMillions(const std::string& count, std::string_view multiplier) {
  const auto shown = text::ParseTypedNumber(count);
  const auto scale = text::ParseTypedNumber(multiplier);
  if (!shown || !scale) return count;
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.15g", *shown * (*scale / kCellsPerUnit));
  return text.data();
}

}  // namespace

AsmJson Od600Asm(const Od600File& record, bool cell_count, const AsmSource& source) {
  AsmDocument document(source);
  document.SetPathLength(record.pathlength);
  document.AddQuantitySetting("dilution factor", record.dilution_factor, kAsmUnitless);
  const std::optional<std::string_view> multiplier =
      !record.multiple ? std::nullopt
      : cell_count     ? std::optional(Od600CellCountMultiplierText(*record.multiple))
                       : Od600DensityMultiplierText(*record.multiple);
  // The factor counts cells per OD in units of the multiple: alone it reads right only scaled.
  if (multiplier) {
    document.AddQuantitySetting("factor", CellCountInMillions(record.factor, *multiplier),
                                kCellCountUnit);
    document.AddQuantitySetting("multiple", *multiplier, kAsmUnitless);
  } else {
    document.AddSetting("factor", record.factor);
  }
  const std::optional<double> wavelength =
      record.wavelengths.empty() ? std::nullopt
                                 : std::optional(AsmNumber(record.wavelengths.front()));
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const Od600Sample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const auto id = document.AddAbsorbance(
        key + "_OD", {{sample.sample_id, record.sample_name}, wavelength, sample.od_value, {}});
    // An OD that is no number gives no count (the report shows 0 for it); nor does a file that
    // ends before its multiple, which the count cannot be read without.
    if (!cell_count || !id || !multiplier) continue;
    const std::string count = CellCountInMillions(sample.cells, *multiplier);
    document.AddConcentration(
        {key + "_CELLS",
         "cell count",
         sample.sample_id,
         count,
         {*id},
         "OD600 * " + record.factor + " (the factor) * " + std::string(*multiplier) +
             " (the multiple) cells/mL, in " + std::string(kCellCountUnit)},
        kCellCountUnit);
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
