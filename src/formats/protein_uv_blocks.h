// What both forms of a UV Protein file (plain and dye-labelled) hold alike: the settings from
// the sample name to the protein, and the sample count.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/export_file.h"
#include "formats/optional_code.h"

namespace korvanta {

// wl_number and the wavelengths after it; those a file that ended early lacks are left out.
std::vector<std::int32_t> ReadProteinUvWavelengths(ExportFile& file);

// Reads sample_name to protein into the fields of `record` that bear their names.
template <typename UvRecord>
void ReadProteinUvSettings(ExportFile& file, UvRecord& record) {
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.background = ReadOptionalCode(file, "background");
  record.wavelengths = ReadProteinUvWavelengths(file);
  record.a280_factor = file.ReadToken("a280_factor");
  record.a260_factor = file.ReadToken("a260_factor");
  record.protein = ReadOptionalCode(file, "protein");
}

// sample_number, refused above what the report's table holds: its rows start below
// `rows_above_samples` and each sample fills `cells_per_sample` cells.
int ReadProteinUvSampleCount(ExportFile& file, int rows_above_samples, int cells_per_sample);

}  // namespace korvanta
