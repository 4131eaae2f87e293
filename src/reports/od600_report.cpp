// OD600 cell-count report on "od600.xlsx": each sample's OD and its OD times the file's factor
// (cells per ml).
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
  // Without a wavelength in the file B6 keeps what the template holds.
  if (!record.wavelengths.empty()) {
    c.WriteTextCell('B', 6, text::FormatDecimal(record.wavelengths.front(), 4));
  }
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  c.WriteTextCell('B', 8, "cells/ml");
  c.WriteTextCell('B', 9, record.factor);
  c.WriteTextCell('A', 10, "Multiple");
  if (record.multiple) c.WriteTextCell('B', 10, Od600CellCountMultiplierText(*record.multiple));
}

void WriteSamples(ReportSheet& c, const Od600File& record) {
  WriteSampleRows(c, kFirstSampleRow, record.samples, [&c](int row, const Od600Sample& sample) {
    c.WriteTextCell('C', row, sample.od_value);
    c.WriteTextCell('D', row, sample.cells);
  });
}

}  // namespace

void LayOutOd600CellCount(ReportSheet& c, const Od600File& record) {
  WriteHeader(c, record);
  WriteSamples(c, record);
}

// Only the first wavelength is shown; a list longer than a sheet could hold marks a broken file.
ListLimits Od600CellCountReportLimits() { return {workbook::kMaxRows, RowsFrom(kFirstSampleRow)}; }

}  // namespace korvanta
