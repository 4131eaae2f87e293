// OD600 report. Unit "1": the cell-count report on "od600.xlsx", each sample's OD and its OD
// times the file's factor (cells per ml). Unit "0": the optical-density report instead.
#include "asm/asm_builders.h"
#include "driver/conversion.h"
#include "reports/code_tables.h"
#include "reports/export_file.h"
#include "reports/od600_format.h"
#include "reports/report_head.h"
#include "reports/report_variants.h"
#include "reports/report_writers.h"
#include "reports/sample_rows.h"
#include "workbook/cell_address.h"
#include "workbook/number_format.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 13;  // the template's sample row, copied down for the rest

void WriteHeader(Conversion& c, const Od600File& record) {
  WriteReportHead(c, std::nullopt, record.sample_name);
  // Without a wavelength in the file B6 keeps what the template holds.
  if (!record.wavelengths.empty()) {
    c.WriteTextCell('B', 6, workbook::FormatDecimal(record.wavelengths.front(), 4));
  }
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  c.WriteTextCell('B', 8, "cells/ml");
  c.WriteTextCell('B', 9, record.factor);
  c.WriteTextCell('A', 10, "Multiple");
  if (record.multiple) c.WriteTextCell('B', 10, Od600CellCountMultiplierText(*record.multiple));
}

void WriteSamples(Conversion& c, const Od600File& record) {
  const float factor = TextToFloat(record.factor);
  WriteSampleRows(
      c, kFirstSampleRow, record.samples, [&c, factor](int row, const Od600Sample& sample) {
        c.WriteTextCell('C', row, sample.od_value);
        c.WriteTextCell('D', row, Od600CellCountText(TextToFloat(sample.od_value), factor));
      });
}

}  // namespace

void WriteOd600Report(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  Od600File record = ReadOd600Head(file);
  if (record.unit == kOd600DensityUnit) {
    c.m_templatePath = c.TemplatePath(kOd600OpticalDensity.template_file);
    if (c.CheckTemplate()) WriteOd600DensityReport(c);
    return;
  }
  CheckOd600Unit(record);
  ReadOd600Samples(file, kOd600MaxSamples, record);

  ReportSummary& summary = c.Summary();
  summary.data_type = "OD600";
  summary.variant = std::string(kOd600CellCount.name);
  summary.samples = static_cast<int>(record.samples.size());
  summary.wavelengths = static_cast<int>(record.wavelengths.size());
  c.OfferAsm([&record](const AsmSource& source) { return Od600Asm(record, true, source); });

  if (!c.AskOutputPath() || !c.OpenWorkbook()) return;
  WriteHeader(c, record);
  WriteSamples(c, record);
  c.FinishWorkbook();
}

}  // namespace korvanta
