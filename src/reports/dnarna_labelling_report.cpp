// DNA/RNA labelling report on "dnarna_dye.xlsx": the measurement header, the dye's data and
// one row per sample.
#include "formats/dnarna_format.h"
#include "formats/dye_table.h"
#include "formats/export_file.h"
#include "reports/dnarna_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 17;  // the template's sample row, copied down for the rest

// The unit in B10 comes after the dye cells, in the order the instrument's fields arrive.
void WriteHeader(ReportSheet& c, const DnaRnaLabellingFile& record) {
  WriteDnaRnaHead(c, record.head, true);
  if (auto dye = record.dyetype ? DyeName(*record.dyetype) : std::nullopt) {
    c.WriteTextCell('B', 11, *dye);
  }
  c.WriteTextCell('B', 12, record.dyeodmax);
  c.WriteTextCell('B', 13, record.dyeextcoeff);
  c.WriteTextCell('B', 14, record.dyecorrect);
  if (auto unit = NucleicAcidUnit(record.unit_style)) c.WriteTextCell('B', 10, *unit);
}

}  // namespace

void LayOutDnaRnaLabelling(ReportSheet& c, const DnaRnaLabellingFile& record) {
  WriteHeader(c, record);
  WriteReadingRows(c, kFirstSampleRow, record.samples);
}

// The wavelengths are never shown; a list longer than a sheet could hold marks a broken file.
ListLimits DnaRnaLabellingReportLimits() { return {workbook::kMaxRows, RowsFrom(kFirstSampleRow)}; }

}  // namespace korvanta
