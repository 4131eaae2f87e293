#include "formats/photometry_format.h"

#include <algorithm>

#include "workbook/cell_address.h"

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

int MaxPhotometrySamples(int wavelengths) {
  // The sample rows end at row 10 + wavelengths + samples.
  const std::int64_t by_rows = workbook::kMaxRows - 10 - wavelengths;
  const std::int64_t by_cells = kMaxPhotometryCells / std::max(wavelengths, 1) - wavelengths;
  return static_cast<int>(std::max<std::int64_t>(0, std::min(by_rows, by_cells)));
}

PhotometryFile ReadPhotometryFile(ExportFile& file, const Opening& opening) {
  PhotometryFile record;
  record.method_type = opening.method_type;
  record.measurement_type = opening.measurement_type;
  record.method_code = opening.MethodCode();
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.dummy = file.ReadToken("dummy");
  record.wl_number = file.ReadCount("wl_number", kMaxPhotometryWavelengths);
  for (int j = 0; j < record.wl_number; ++j) {
    const float wavelength = file.ReadFloat("wavelength");
    if (file.EndedEarly()) break;
    record.wavelengths.push_back(wavelength);
  }
  record.datamode = ReadCode(file, "datamode");
  record.sample_number = file.ReadCount("sample_number", MaxPhotometrySamples(record.wl_number));
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
