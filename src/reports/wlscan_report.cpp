// WL Scan report on "wlscan.xlsx": the scan settings, one row per point (wavelength and
// reading) and a chart of the spectrum.
#include <cstdint>
#include <string>

#include "driver/conversion.h"
#include "reports/code_tables.h"
#include "reports/export_file.h"
#include "reports/pattern_row.h"
#include "reports/report_head.h"
#include "reports/report_writers.h"
#include "reports/scan_block.h"
#include "reports/wlscan_format.h"
#include "workbook/cell_address.h"
#include "workbook/number_format.h"

namespace korvanta {

namespace {

constexpr int kFirstDataRow = 14;
constexpr const char* kWavelengthAxisTitle = "WL(nm)";

void WriteHeader(Conversion& c, const WlScanFile& record, std::optional<float> interval,
                 std::string_view data_mode) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  if (!data_mode.empty()) c.WriteTextCell('B', 6, data_mode);
  c.WriteTextCell('B', 8, record.startwl);
  c.WriteTextCell('B', 9, record.endwl);
  if (interval) c.WriteNumberCell('B', 10, *interval);
  if (record.totaldatanumber) c.WriteIntegerCell('B', 11, *record.totaldatanumber);
}

}  // namespace

void WriteWlScanReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  const WlScanFile record = ReadWlScanFile(file, kWlScanMaxPoints);
  const std::optional<float> interval = WlScanInterval(record);
  const std::string data_mode =
      record.datamode ? std::string(DataModeText(*record.datamode).value_or("")) : std::string();
  const int count = static_cast<int>(record.values.size());

  ReportSummary& summary = c.Summary();
  summary.data_type = "WL Scan";
  summary.variant = "WL Scan";
  summary.points = count;

  if (!c.AskOutputPath() || !c.OpenWorkbook()) return;
  WriteHeader(c, record, interval, data_mode);
  CopyPatternRow(c, kFirstDataRow, count);
  const float start = TextToFloat(record.startwl);
  const float step = interval.value_or(0.0f);
  for (int i = 0; i < count; ++i) {
    const int row = kFirstDataRow + i;
    c.WriteTextCell('A', row, workbook::FormatDecimal(StepPosition(i, step, start), 4));
    c.WriteTextCell('B', row, record.values[static_cast<std::size_t>(i)]);
  }
  c.BuildChart(kFirstDataRow, kFirstDataRow + count - 1, data_mode, kWavelengthAxisTitle);
  c.FinishWorkbook();
}

}  // namespace korvanta
