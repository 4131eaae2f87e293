// Protein UV report on "brad6.xlsx": absorbances at 260, 280 and 320 nm per sample.
#include <algorithm>
#include <cstdint>

#include "formats/protein_code_tables.h"
#include "formats/protein_uv_format.h"
#include "reports/protein_limits.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kSampleRow = 15;

void WriteHeader(ReportSheet& c, const ProteinUvRecord& record) {
  WriteReportHead(c, ProteinUvMethodText(record.opening.MethodCode()), record.sample_name);
  WriteMeasurementSettings(c, record.pathlength, record.dilution_factor, record.background);
  WriteProteinUvFactors(c, record.a280_factor, record.a260_factor, record.protein);
  if (const auto unit = ProteinUvUnitText(record.unit_style)) c.WriteTextCell('B', 12, *unit);
}

void WriteSamples(ReportSheet& c, const ProteinUvRecord& record) {
  WriteSampleRows(c, kSampleRow, record.samples, [&c](int row, const ProteinUvSample& sample) {
    c.WriteTextCell('C', row, sample.a260);
    c.WriteTextCell('D', row, sample.a280);
    c.WriteTextCell('E', row, sample.a320);
    c.WriteTextCell('F', row, sample.a280_a260);
  });
}

}  // namespace

void LayOutProteinUv(ReportSheet& c, const ProteinUvRecord& record) {
  WriteHeader(c, record);
  WriteSamples(c, record);
}

// Each sample row spans columns A to F.
ListLimits ProteinUvReportLimits() {
  constexpr int kCellsPerSample = 6;
  return {kMaxProteinWavelengths,
          static_cast<int>(std::min<std::int64_t>(kMaxProteinTableCells / kCellsPerSample,
                                                  RowsFrom(kSampleRow)))};
}

}  // namespace korvanta
