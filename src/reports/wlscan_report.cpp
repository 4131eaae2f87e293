// WL Scan report on "wlscan.xlsx": the scan settings, one row per point (wavelength and
// reading) and a chart of the spectrum.
#include <cstdint>
#include <string>

#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/wlscan_format.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/scan_block.h"
#include "workbook/cell_address.h"

namespace korvanta {

namespace {

constexpr int kFirstDataRow = 14;
constexpr const char* kWavelengthAxisTitle = "WL(nm)";

void WriteHeader(ReportSheet& c, const WlScanFile& record, std::optional<float> interval,
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

void LayOutWlScan(ReportSheet& c, const WlScanFile& record) {
  const std::string data_mode =
      record.datamode ? std::string(DataModeText(*record.datamode).value_or("")) : std::string();
  WriteHeader(c, record, record.interval, data_mode);
  WriteSteppedScanBlock(c, kFirstDataRow, record.values, record.wavelengths, data_mode,
                        kWavelengthAxisTitle);
}

// Its data rows run from the first data row to the sheet's last row.
int WlScanMaxPoints() { return RowsFrom(kFirstDataRow); }

}  // namespace korvanta
