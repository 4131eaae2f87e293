#include "reports/od600_format.h"

#include "reports/export_file.h"
#include "reports/optional_code.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

// Only the first wavelength is shown; a list longer than a sheet could hold marks a broken
// file.
constexpr int kMaxWavelengths = workbook::kMaxRows;

}  // namespace

Od600File ReadOd600Head(ExportFile& file) {
  Od600File record;
  record.method_type = file.ReadInteger("method_type");
  record.measurement_type = file.ReadInteger("measurement_type");
  record.method_code = TextToInteger(file.ReadLine("method_str"));
  record.sample_name = file.ReadLine("sample_name");
  record.pathlength = ReadOptionalCode(file, "pathlength");
  record.dilution_factor = file.ReadToken("dilution_factor");
  record.background = ReadOptionalCode(file, "background");
  const int wavelength_count = file.ReadCount("wl_number", kMaxWavelengths);
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
  record.multiple = ReadOptionalCode(file, "multiple");
  const int count = file.ReadCount("sample_number", max_samples);
  for (int i = 0; i < count; ++i) {
    Od600Sample sample;
    sample.sample_id = file.ReadLine("sample_id");
    // Samples the count promises past the end of the file get no rows.
    if (file.EndedEarly()) break;
    sample.od_value = file.ReadToken("od_value");
    record.samples.push_back(std::move(sample));
  }
}

Od600File ReadOd600File(ExportFile& file, int max_samples) {
  Od600File record = ReadOd600Head(file);
  ReadOd600Samples(file, max_samples, record);
  return record;
}

}  // namespace korvanta
