#include "formats/protein_labelling_format.h"

#include <cstdint>

#include "formats/optional_code.h"
#include "formats/protein_uv_blocks.h"

namespace korvanta {

namespace {

constexpr std::size_t kDyeWavelengthIndex = 3;
constexpr int kSkippedSettings = 3;

}  // namespace

std::optional<std::int32_t> ProteinLabellingRecord::DyeWavelength() const {
  if (wavelengths.size() <= kDyeWavelengthIndex) return std::nullopt;
  return wavelengths[kDyeWavelengthIndex];
}

ProteinLabellingRecord ReadProteinLabelling(ExportFile& file, const Opening& opening,
                                            const ListLimits& limits) {
  ProteinLabellingRecord record;
  record.opening = opening;
  ReadProteinUvSettings(file, limits.wavelengths, record);
  for (int k = 0; k < kSkippedSettings; ++k) file.ReadToken("dummy");
  record.dyetype = ReadOptionalCode(file, "dyetype");
  record.proextcoefficient = file.ReadToken("proextcoefficient");
  record.dyeodmax = file.ReadToken("dyeodmax");
  record.dyeextcoeff = file.ReadToken("dyeextcoeff");
  record.dyecorrect = file.ReadToken("dyecorrect");
  record.unit_style = file.ReadToken("unit_style");

  const int sample_number = file.ReadCount("sample_number", limits.samples);
  for (int i = 0; i < sample_number; ++i) {
    ProteinLabellingSample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    sample.a260 = file.ReadToken("a260");
    sample.a280 = file.ReadToken("a280");
    sample.a320 = file.ReadToken("a320");
    sample.dye = file.ReadToken("dye");
    sample.a260_a280 = file.ReadToken("a260_a280");
    sample.concentration = file.ReadToken("concentration");
    sample.dye_concentration = file.ReadToken("dye_concentration");
    sample.degree_of_labelling = file.ReadToken("Degreeoflabelling");
    record.samples.push_back(std::move(sample));
  }
  return record;
}

}  // namespace korvanta
