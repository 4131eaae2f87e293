#include "formats/protein_uv_blocks.h"

namespace korvanta {

std::vector<std::int32_t> ReadProteinUvWavelengths(ExportFile& file, int max_wavelengths) {
  std::vector<std::int32_t> wavelengths;
  const int wl_number = file.ReadCount("wl_number", max_wavelengths);
  for (int j = 0; j < wl_number; ++j) {
    const std::int32_t wavelength = file.ReadInteger("wavelength");
    if (!file.EndedEarly()) wavelengths.push_back(wavelength);
  }
  return wavelengths;
}

}  // namespace korvanta
