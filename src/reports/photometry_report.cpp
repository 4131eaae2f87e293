// The Photometry report: header, wavelength list and one row per sample with a column per
// wavelength, grown from the template photomet.xlsx.
#include <algorithm>
#include <cstdint>
#include <string>

#include "formats/code_tables.h"
#include "formats/photometry_format.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"
#include "text/number_format.h"

namespace korvanta {
namespace {

constexpr int kWavelengthRow = 9;    // pattern row of the wavelength list
constexpr int kTableHeaderRow = 11;  // before the wavelength rows are inserted
constexpr int kFirstSampleRow = 12;  // pattern row of the samples

void WriteHeader(ReportSheet& c, const PhotometryFile& record) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  c.WriteIntegerCell('B', 8, record.wl_number);
  if (record.datamode) {
    if (const auto text = DataModeText(*record.datamode)) c.WriteTextCell('B', 6, *text);
  }
}

void WriteSampleTable(ReportSheet& c, const PhotometryFile& record) {
  const int n = record.wl_number;
  const int s = record.sample_number;
  CopyPatternRow(c, kFirstSampleRow, s);
  if (n > 1) c.InsertColumns(n - 1, "C:C");
  for (int j = 0; j < n && j < static_cast<int>(record.wavelengths.size()); ++j) {
    const std::string wavelength = text::FormatDecimal(record.wavelengths[j], 4);
    c.WriteTextCell(Col('C') + j, kTableHeaderRow,
                    "WL" + std::to_string(j + 1) + " (" + wavelength + " nm)");
  }
  for (int i = 0; i < s; ++i) {
    const int row = kFirstSampleRow + i;
    c.WriteIntegerCell('A', row, i + 1);
    if (i >= static_cast<int>(record.samples.size())) continue;
    const PhotometrySample& sample = record.samples[i];
    c.WriteVerbatimTextCell('B', row, sample.sample_id);
    WriteValuesFromC(c, row, sample.readings);
  }
}

void WriteWavelengthList(ReportSheet& c, const PhotometryFile& record) {
  const int n = record.wl_number;
  if (n > 1) c.InsertCopiedRows(n - 1, "9:9");
  for (int j = 0; j < n; ++j) {
    const int row = kWavelengthRow + j;
    c.WriteTextCell('A', row, "WL" + std::to_string(j + 1) + " (nm)");
    if (j < static_cast<int>(record.wavelengths.size())) {
      c.WriteTextCell('B', row, text::FormatDecimal(record.wavelengths[j], 4));
    }
  }
}

}  // namespace

void LayOutPhotometry(ReportSheet& c, const PhotometryFile& record) {
  // The table below is grown first, so that inserting the wavelength rows moves it whole.
  WriteHeader(c, record);
  WriteSampleTable(c, record);
  WriteWavelengthList(c, record);
}

// Every wavelength makes a column and a row of the list, and every row of the list spans all
// wavelength columns, so the cells grow with N x (N + S). Limits far beyond any measurement
// keep a damaged count from exhausting memory: 1,024 wavelengths (the original table held 24)
// and 1,048,576 cells in the list and table together.
PhotometryLimits PhotometryReportLimits() {
  constexpr int kMaxWavelengths = 1024;
  return {kMaxWavelengths, [](int wavelengths) {
            constexpr std::int64_t kMaxCells = 1024LL * 1024;
            // The wavelength rows replace the list's pattern row and push the samples down,
            // so the sample rows end at row 10 + wavelengths + samples.
            const std::int64_t by_rows = workbook::kMaxRows - 10 - wavelengths;
            const std::int64_t by_cells = kMaxCells / std::max(wavelengths, 1) - wavelengths;
            return static_cast<int>(std::max<std::int64_t>(0, std::min(by_rows, by_cells)));
          }};
}

}  // namespace korvanta
