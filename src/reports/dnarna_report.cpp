// DNA/RNA report on "dnarna.xlsx": the measurement header and one row per sample.
#include "formats/dnarna_format.h"
#include "formats/export_file.h"
#include "reports/dnarna_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 13;  // the template's sample row, copied down for the rest

void WriteHeader(ReportSheet& c, const DnaRnaFile& record) {
  WriteDnaRnaHead(c, record.head, false);
  if (auto unit = NucleicAcidUnit(record.unit_style)) c.WriteTextCell('B', 10, *unit);
}

}  // namespace

void LayOutDnaRna(ReportSheet& c, const DnaRnaFile& record) {
  WriteHeader(c, record);
  WriteReadingRows(c, kFirstSampleRow, record.samples);
}

// The wavelengths are never shown; a list longer than a sheet could hold marks a broken file.
ListLimits DnaRnaReportLimits() { return {workbook::kMaxRows, RowsFrom(kFirstSampleRow)}; }

}  // namespace korvanta
