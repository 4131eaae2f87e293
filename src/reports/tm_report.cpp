// TM report on "tm.xlsx": the temperature programme, one row per point (temperature and
// reading) and a chart of the melting curve.
#include <cstdint>
#include <string>

#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/tm_format.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/scan_block.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

constexpr int kFirstDataRow = 17;
constexpr const char* kTemperatureAxisTitle = "Temp(\u00B0C)";

void WriteHeader(ReportSheet& c, const TmFile& record, std::string_view data_mode) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 6, *record.pathlength);
  if (!data_mode.empty()) c.WriteTextCell('B', 7, data_mode);
  c.WriteTextCell('B', 8, record.starttemp);
  c.WriteTextCell('B', 9, record.endtemp);
  if (record.heatmode) {
    if (const auto rate = HeatingRateText(*record.heatmode)) c.WriteTextCell('B', 10, *rate);
  }
  c.WriteTextCell('B', 11, record.dataresot);
  c.WriteTextCell('B', 12, record.kquiltime);
  c.WriteTextCell('B', 13, record.k);
  if (record.measurenumber) c.WriteIntegerCell('B', 14, *record.measurenumber);
}

}  // namespace

void LayOutTm(ReportSheet& c, const TmFile& record) {
  const std::string data_mode =
      record.datamode ? TmDataModeText(*record.datamode).value_or("") : std::string();
  WriteHeader(c, record, data_mode);
  WriteSteppedScanBlock(c, kFirstDataRow, record.values, record.temperatures, data_mode,
                        kTemperatureAxisTitle);
}

// Its data rows run from the first data row to the sheet's last row.
int TmMaxPoints() { return RowsFrom(kFirstDataRow); }

}  // namespace korvanta
