#include "formats/photometry_format.h"

namespace korvanta {
namespace {

std::optional<std::int32_t> ReadCode(ExportFile& file, std::string_view field) {
  const std::int32_t code = file.ReadInteger(field);
  // A code past the end of the file leaves its cell as the template has it, rather than
  // showing the meaning of 0.
  if (file.EndedEarly()) return std::nullopt;
  return code;
}

}  // namespace

PhotometryFile ReadPhotometryFile(ExportFile& file, const Opening& opening,
                                  const PhotometryLimits& limits) {
  PhotometryFile record;
  record.opening = opening;
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.dummy = file.ReadToken("dummy");
  record.wl_number = file.ReadCount("wl_number", limits.wavelengths);
  for (int j = 0; j < record.wl_number; ++j) {
    const float wavelength = file.ReadFloat("wavelength");
    if (file.EndedEarly()) break;
    record.wavelengths.push_back(wavelength);
  }
  record.datamode = ReadCode(file, "datamode");
  record.sample_number = file.ReadCount("sample_number", limits.samples(record.wl_number));
  for (int i = 0; i < record.sample_number && !file.EndedEarly(); ++i) {
    PhotometrySample sample;
    sample.sample_id = file.ReadLine("sample_id");
    if (file.EndedEarly()) break;
    for (int j = 0; j < record.wl_number; ++j) {
      std::string reading = file.ReadToken("wl_value");
      if (file.EndedEarly()) break;
      sample.readings.push_back(std::move(reading));
    }
    record.samples.push_back(std::move(sample));
  }
  return record;
}

}  // namespace korvanta
