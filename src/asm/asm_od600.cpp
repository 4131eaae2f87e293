// The ASM document of an OD600 file: each sample's OD at the first wavelength; for the
// cell-count form also OD times the factor, in cells per ml.
#include <string>

#include "asm/asm_builders.h"
#include "formats/export_file.h"
#include "formats/od600_format.h"

namespace korvanta {

namespace {
// The schema has no unit for a number of cells per volume of this kind.
constexpr std::string_view kCellCountUnit = "cells/ml";
}  // namespace

AsmJson Od600Asm(const Od600File& record, bool cell_count, const AsmSource& source) {
  AsmDocument document(source);
  document.SetPathLength(record.pathlength);
  document.AddSetting("dilution factor", record.dilution_factor);
  document.AddSetting("factor", record.factor);
  if (record.multiple) {
    const auto multiplier = cell_count
                                ? std::optional(Od600CellCountMultiplierText(*record.multiple))
                                : Od600DensityMultiplierText(*record.multiple);
    document.AddSetting("multiple", multiplier.value_or(""));
  }
  const std::optional<double> wavelength =
      record.wavelengths.empty() ? std::nullopt
                                 : std::optional(AsmNumber(record.wavelengths.front()));
  const float factor = TextToFloat(record.factor);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const Od600Sample& sample = record.samples[i];
    const std::string key = "S" + std::to_string(i + 1);
    const auto id = document.AddAbsorbance(
        key + "_OD", {{sample.sample_id, record.sample_name}, wavelength, sample.od_value, {}});
    // An OD that is no number gives no count (the report shows 0 for it).
    if (!cell_count || !id) continue;
    const std::string count = Od600CellCountText(TextToFloat(sample.od_value), factor);
    document.AddConcentration({key + "_CELLS", "cell count", sample.sample_id, count, {*id}},
                              kCellCountUnit);
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
