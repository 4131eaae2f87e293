// The ASM document of a Photometry file: every sample read at every wavelength.
#include <string>

#include "asm/asm_builders.h"
#include "formats/code_tables.h"
#include "formats/photometry_format.h"

namespace korvanta {

namespace {
constexpr std::int32_t kAbsorbanceMode = 1;
}  // namespace

AsmJson PhotometryAsm(const PhotometryFile& record, const AsmSource& source) {
  RequireAbsorbance(source, record.datamode, kAbsorbanceMode, DataModeText);
  AsmDocument document(source);
  document.SetPathLength(record.pathlength);
  document.AddQuantitySetting("dilution factor", record.dilution_factor, kAsmUnitless);
  for (std::size_t i = 0; i < record.samples.size(); ++i) {
    const PhotometrySample& sample = record.samples[i];
    const std::string sample_key = "S" + std::to_string(i + 1);
    for (std::size_t j = 0; j < sample.readings.size() && j < record.wavelengths.size(); ++j) {
      document.AddAbsorbance(sample_key + "_W" + std::to_string(j + 1),
                             {{sample.sample_id, record.sample_name},
                              AsmNumber(record.wavelengths[j]),
                              sample.readings[j],
                              std::nullopt});
    }
  }
  return std::move(document).Finish();
}

}  // namespace korvanta
