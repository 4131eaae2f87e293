// Protein labelling report on "brad6_2.xlsx": a dye-labelled UV measurement.
#include <algorithm>
#include <cstdint>

#include "formats/dye_table.h"
#include "formats/protein_code_tables.h"
#include "formats/protein_labelling_format.h"
#include "reports/protein_limits.h"
#include "reports/report_head.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kDyeHeadingRow = 19;
constexpr int kSampleRow = 20;

void WriteHeader(ReportSheet& c, const ProteinLabellingRecord& record) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  WriteMeasurementSettings(c, record.pathlength, record.dilution_factor, record.background);
  WriteProteinUvFactors(c, record.a280_factor, record.a260_factor, record.protein);
  if (record.dyetype) {
    if (const auto dye = DyeName(*record.dyetype)) c.WriteTextCell('B', 12, *dye);
  }
  c.WriteTextCell('B', 13, record.proextcoefficient);
  c.WriteTextCell('B', 14, record.dyeodmax);
  c.WriteTextCell('B', 15, record.dyeextcoeff);
  c.WriteTextCell('B', 16, record.dyecorrect);
  if (const auto unit = ProteinUvUnitText(record.unit_style)) c.WriteTextCell('B', 17, *unit);
}

void WriteSamples(ReportSheet& c, const ProteinLabellingRecord& record) {
  const int sample_count = static_cast<int>(record.samples.size());
  CopyPatternRow(c, kSampleRow, sample_count);
  // The dye column's heading names the dye's wavelength, whatever the number of samples.
  if (const auto dye_wavelength = record.DyeWavelength()) {
    c.WriteTextCell('F', kDyeHeadingRow, "Dye(" + std::to_string(*dye_wavelength) + ")");
  }
  for (int i = 0; i < sample_count; ++i) {
    const ProteinLabellingSample& sample = record.samples[static_cast<std::size_t>(i)];
    const int row = kSampleRow + i;
    WriteSampleNumberAndId(c, row, i + 1, sample.sample_id);
    c.WriteTextCell('C', row, sample.a260);
    c.WriteTextCell('D', row, sample.a280);
    c.WriteTextCell('E', row, sample.a320);
    c.WriteTextCell('F', row, sample.dye);
    c.WriteTextCell('G', row, sample.a260_a280);
    c.WriteTextCell('H', row, sample.concentration);
    c.WriteTextCell('I', row, sample.dye_concentration);
    c.WriteTextCell('J', row, sample.degree_of_labelling);
  }
}

}  // namespace

void LayOutProteinLabelling(ReportSheet& c, const ProteinLabellingRecord& record) {
  WriteHeader(c, record);
  WriteSamples(c, record);
}

// Each sample row spans columns A to J.
ListLimits ProteinLabellingReportLimits() {
  constexpr int kCellsPerSample = 10;
  return {kMaxProteinWavelengths,
          static_cast<int>(std::min<std::int64_t>(kMaxProteinTableCells / kCellsPerSample,
                                                  RowsFrom(kSampleRow)))};
}

}  // namespace korvanta
