// Kinetics report on "kinetics.xlsx": the scan settings, one row per point (time in seconds
// and reading) and a chart of the readings over time.
#include <cstdint>
#include <limits>
#include <string>

#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/kinetics_format.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/scan_block.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

constexpr int kFirstDataRow = 14;
constexpr const char* kTimeAxisTitle = "Time(s)";

void WriteHeader(ReportSheet& c, const KineticsFile& record, std::optional<std::int32_t> interval,
                 std::string_view data_mode) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  if (!data_mode.empty()) c.WriteTextCell('B', 6, data_mode);
  c.WriteTextCell('B', 9, record.scantime);
  c.WriteTextCell('B', 8, record.wl);
  if (interval) c.WriteIntegerCell('B', 10, *interval);
  if (record.totaldatanumber) c.WriteIntegerCell('B', 11, *record.totaldatanumber);
}

// A time beyond the 32-bit range (an absurd interval code) is still written exactly.
void WriteTime(ReportSheet& c, int row, std::int64_t seconds) {
  if (seconds >= std::numeric_limits<std::int32_t>::min() &&
      seconds <= std::numeric_limits<std::int32_t>::max()) {
    c.WriteIntegerCell('A', row, static_cast<std::int32_t>(seconds));
  } else {
    c.Sheet().SetNumber(workbook::CellRef{1, row}, static_cast<double>(seconds));
  }
}

}  // namespace

void LayOutKinetics(ReportSheet& c, const KineticsFile& record) {
  const std::string data_mode =
      record.datamode ? std::string(DataModeText(*record.datamode).value_or("")) : std::string();
  WriteHeader(c, record, record.interval, data_mode);
  WriteScanBlock(c, kFirstDataRow, record.values, data_mode, kTimeAxisTitle,
                 [&c, &record](int row, int index) {
                   WriteTime(c, row, record.times[static_cast<std::size_t>(index)]);
                 });
}

// Its data rows run from the first data row to the sheet's last row.
int KineticsMaxPoints() { return RowsFrom(kFirstDataRow); }

}  // namespace korvanta
