// What both forms of a UV Protein file (plain and dye-labelled) hold alike: the settings from
// the sample name to the protein.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/export_file.h"
#include "formats/optional_code.h"

namespace korvanta {

// wl_number (more than `max_wavelengths` are refused) and the wavelengths after it; those a
// file that ended early lacks are left out.
std::vector<std::int32_t> ReadProteinUvWavelengths(ExportFile& file, int max_wavelengths);

// Reads sample_name to protein into the fields of `record` that bear their names.
template <typename UvRecord>
void ReadProteinUvSettings(ExportFile& file, int max_wavelengths, UvRecord& record) {
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.background = ReadOptionalCode(file, "background");
  record.wavelengths = ReadProteinUvWavelengths(file, max_wavelengths);
  record.a280_factor = file.ReadToken("a280_factor");
  record.a260_factor = file.ReadToken("a260_factor");
  record.protein = ReadOptionalCode(file, "protein");
}

}  // namespace korvanta
