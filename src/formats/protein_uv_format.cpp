#include "formats/protein_uv_format.h"

#include <cstdint>

#include "formats/protein_uv_blocks.h"

namespace korvanta {

namespace {

constexpr int kSkippedSettings = 8;

}  // namespace

ProteinUvRecord ReadProteinUvBody(ExportFile& file, const Opening& opening,
                                  const ListLimits& limits) {
  ProteinUvRecord record;
  record.opening = opening;
  ReadProteinUvSettings(file, limits.wavelengths, record);
  for (int k = 0; k < kSkippedSettings; ++k) file.ReadToken("dummy");
  record.unit_style = file.ReadToken("unit_style");

  const int sample_number = file.ReadCount("sample_number", limits.samples);
  for (int i = 0; i < sample_number; ++i) {
    ProteinUvSample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    sample.a260 = file.ReadToken("a260");
    sample.a280 = file.ReadToken("a280");
    sample.a320 = file.ReadToken("a320");
    file.ReadToken("dummy");
    sample.a280_a260 = file.ReadToken("a280_a260");
    record.samples.push_back(std::move(sample));
  }
  return record;
}

}  // namespace korvanta
