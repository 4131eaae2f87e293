#include "formats/protein_uv_blocks.h"

#include <algorithm>

#include "formats/protein_limits.h"
#include "workbook/cell_address.h"

namespace korvanta {

std::vector<std::int32_t> ReadProteinUvWavelengths(ExportFile& file) {
  std::vector<std::int32_t> wavelengths;
  const int wl_number = file.ReadCount("wl_number", kMaxProteinWavelengths);
  for (int j = 0; j < wl_number; ++j) {
    const std::int32_t wavelength = file.ReadInteger("wavelength");
    if (!file.EndedEarly()) wavelengths.push_back(wavelength);
  }
  return wavelengths;
}

int ReadProteinUvSampleCount(ExportFile& file, int rows_above_samples, int cells_per_sample) {
  return file.ReadCount("sample_number", static_cast<int>(std::min<std::int64_t>(
                                             kMaxProteinTableCells / cells_per_sample,
                                             workbook::kMaxRows - rows_above_samples)));
}

}  // namespace korvanta
