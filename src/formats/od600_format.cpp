#include "formats/od600_format.h"

#include <cmath>

#include "formats/export_file.h"
#include "formats/optional_code.h"
#include "text/number_format.h"

namespace korvanta {

Od600File ReadOd600Head(ExportFile& file, const Opening& opening, int max_wavelengths) {
  Od600File record;
  record.opening = opening;
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.background = ReadOptionalCode(file, "background");
  const int wavelength_count = file.ReadCount("wl_number", max_wavelengths);
  record.dummy = file.ReadToken("dummy");
  for (int i = 0; i < wavelength_count; ++i) {
    const float wavelength = file.ReadFloat("wavelength");
    if (file.EndedEarly()) break;
    record.wavelengths.push_back(wavelength);
  }
  record.factor = file.ReadToken("factor");
  record.unit_line = file.LineNumber();
  record.unit = file.ReadToken("unit");
  return record;
}

void ReadOd600Samples(ExportFile& file, int max_samples, Od600File& record) {
  const float factor = TextToFloat(record.factor);
  record.multiple = ReadOptionalCode(file, "multiple");
  const int count = file.ReadCount("sample_number", max_samples);
  for (int i = 0; i < count; ++i) {
    Od600Sample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    sample.od_value = file.ReadToken("od_value");
    sample.cells = Od600CellCountText(TextToFloat(sample.od_value), factor);
    record.samples.push_back(std::move(sample));
  }
}

Od600File ReadOd600File(ExportFile& file, const Opening& opening, const ListLimits& limits) {
  Od600File record = ReadOd600Head(file, opening, limits.wavelengths);
  CheckOd600Unit(record);
  ReadOd600Samples(file, limits.samples, record);
  return record;
}

void CheckOd600Unit(const Od600File& record) {
  if (record.unit == kOd600DensityUnit || record.unit == kOd600CellCountUnit) return;
  throw ExportFileError("Unknown OD600 unit \"" + record.unit + "\" on line " +
                        std::to_string(record.unit_line) +
                        ": expected 0 (optical density) or 1 (cell count).");
}

std::string_view Od600CellCountMultiplierText(std::int32_t multiple) {
  return multiple == 0 ? "1000" : "1000000";
}

std::optional<std::string_view> Od600DensityMultiplierText(std::int32_t multiple) {
  if (multiple == 0) return "1000";
  if (multiple == 1) return "1000000";
  return std::nullopt;
}

std::string Od600CellCountText(float od, float factor) {
  const float product = od * factor;
  if (std::isfinite(product)) return text::FormatDecimal(product, 4);
  return text::ShortestDoubleText(static_cast<double>(od) * static_cast<double>(factor));
}

}  // namespace korvanta
