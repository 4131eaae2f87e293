// OD600 optical-density report on "OD600_OD.xlsx": each sample's OD as measured.
#include <optional>
#include <string_view>

#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/od600_format.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"
#include "text/number_format.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 13;  // the template's sample row, copied down for the rest

void WriteHeader(ReportSheet& c, const Od600File& record) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  // Without a wavelength in the file B6 keeps what the template holds.
  if (!record.wavelengths.empty()) {
    c.WriteTextCell('B', 6, text::FormatDecimal(record.wavelengths.front(), 4));
  }
  c.WriteTextCell('B', 9, record.factor);
  c.WriteTextCell('B', 8, "OD");
  c.WriteTextCell('A', 10, "Multiple");
  if (auto multiplier =
          record.multiple ? Od600DensityMultiplierText(*record.multiple) : std::nullopt) {
    c.WriteTextCell('B', 10, *multiplier);
  }
}

void WriteSamples(ReportSheet& c, const std::vector<Od600Sample>& samples) {
  WriteSampleRows(c, kFirstSampleRow, samples, [&c](int row, const Od600Sample& sample) {
    c.WriteTextCell('C', row, sample.od_value);
  });
}

}  // namespace

void LayOutOd600Density(ReportSheet& c, const Od600File& record) {
  WriteHeader(c, record);
  WriteSamples(c, record.samples);
}

// Only the first wavelength is shown; a list longer than a sheet could hold marks a broken file.
ListLimits Od600DensityReportLimits() { return {workbook::kMaxRows, RowsFrom(kFirstSampleRow)}; }

}  // namespace korvanta
