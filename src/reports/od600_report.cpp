// OD600 report. Unit "1": the cell-count report on "od600.xlsx", each sample's OD and its OD
// times the file's factor (cells per ml). Unit "0": the optical-density report instead.
#include <cmath>
#include <string>

#include "driver/conversion.h"
#include "reports/code_tables.h"
#include "reports/export_file.h"
#include "reports/od600_format.h"
#include "reports/report_writers.h"
#include "workbook/cell_address.h"
#include "workbook/number_format.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 13;  // the template's sample row, copied down for the rest

std::string UnknownUnitMessage(const Od600File& record) {
  return "Unknown OD600 unit \"" + record.unit + "\" on line " + std::to_string(record.unit_line) +
         ": expected 0 (optical density) or 1 (cell count).";
}

// The product in single precision, as the instrument software computes it; a product beyond
// the float range is taken in double precision instead of showing an infinity.
std::string CellCountText(float od, float factor) {
  const float product = od * factor;
  if (std::isfinite(product)) return workbook::FormatDecimal(product, 4);
  return workbook::ShortestDoubleText(static_cast<double>(od) * static_cast<double>(factor));
}

void WriteHeader(Conversion& c, const Od600File& record) {
  c.WriteVerbatimTextCell('B', 1, c.m_exportFileName);
  c.WriteTextCell('B', 3, c.ConversionTimeText());
  c.WriteVerbatimTextCell('B', 5, record.sample_name);
  // Without a wavelength in the file B6 keeps what the template holds.
  if (!record.wavelengths.empty()) {
    c.WriteTextCell('B', 6, workbook::FormatDecimal(record.wavelengths.front(), 4));
  }
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  c.WriteTextCell('B', 8, "cells/ml");
  c.WriteTextCell('B', 9, record.factor);
  c.WriteTextCell('A', 10, "Multiple");
  if (record.multiple) c.WriteTextCell('B', 10, *record.multiple == 0 ? "1000" : "1000000");
}

void WriteSamples(Conversion& c, const Od600File& record) {
  const float factor = TextToFloat(record.factor);
  const int count = static_cast<int>(record.samples.size());
  if (count > 1) {
    c.CopyRows("13:13", "14:" + std::to_string(count + kFirstSampleRow - 1));
  }
  for (int i = 0; i < count; ++i) {
    const Od600Sample& sample = record.samples[static_cast<std::size_t>(i)];
    const int row = kFirstSampleRow + i;
    c.WriteIntegerCell('A', row, i + 1);
    c.WriteVerbatimTextCell('B', row, sample.sample_id);
    c.WriteTextCell('C', row, sample.od_value);
    c.WriteTextCell('D', row, CellCountText(TextToFloat(sample.od_value), factor));
  }
}

}  // namespace

void WriteOd600Report(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  Od600File record = ReadOd600Head(file);
  if (record.unit == kOd600DensityUnit) {
    c.m_templatePath = c.TemplatePath("OD600_OD.xlsx");
    if (c.CheckTemplate()) WriteOd600DensityReport(c);
    return;
  }
  if (record.unit != kOd600CellCountUnit) throw ExportFileError(UnknownUnitMessage(record));
  ReadOd600Samples(file, workbook::kMaxRows - (kFirstSampleRow - 1), record);

  ReportSummary& summary = c.Summary();
  summary.data_type = "OD600";
  summary.variant = "OD600 cell count";
  summary.samples = static_cast<int>(record.samples.size());
  summary.wavelengths = static_cast<int>(record.wavelengths.size());

  if (!c.AskOutputPath() || !c.OpenWorkbook()) return;
  WriteHeader(c, record);
  WriteSamples(c, record);
  c.FinishWorkbook();
}

}  // namespace korvanta
