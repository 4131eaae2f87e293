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
  record.wavelengths.reserve(static_cast<std::size_t>(wavelength_count));
  for (int i = 0; i < wavelength_count; ++i) {
    record.wavelengths.push_back(file.ReadFloat("wavelength"));
  }
  record.factor = file.ReadToken("factor");
  record.unit_line = file.LineNumber();
  record.unit = file.ReadToken("unit");
  return record;
}

void ReadOd600Samples(ExportFile& file, int max_samples, Od600File& record) {
  record.multiple = ReadOptionalCode(file, "multiple");
  const int count = file.ReadCount("sample_number", max_samples);
  record.samples.resize(static_cast<std::size_t>(count));
  for (Od600Sample& sample : record.samples) {
    sample.sample_id = file.ReadLine("sample_id");
    sample.od_value = file.ReadToken("od_value");
  }
}

Od600File ReadOd600File(ExportFile& file, int max_samples) {
  Od600File record = ReadOd600Head(file);
  ReadOd600Samples(file, max_samples, record);
  return record;
}

}  // namespace korvanta
