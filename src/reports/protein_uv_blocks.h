// The blocks both forms of a UV Protein file (plain and dye-labelled) hold alike.
#pragma once

#include <cstdint>
#include <vector>

namespace korvanta {

class ExportFile;

// wl_number and the wavelengths after it; those a file that ended early lacks are left out.
std::vector<std::int32_t> ReadProteinUvWavelengths(ExportFile& file);

// sample_number, refused above what the report's table holds: its rows start below
// `rows_above_samples` and each sample fills `cells_per_sample` cells.
int ReadProteinUvSampleCount(ExportFile& file, int rows_above_samples, int cells_per_sample);

}  // namespace korvanta
