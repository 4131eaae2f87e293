// OD600 optical-density report on "OD600_OD.xlsx": each sample's OD as measured.
#include <optional>
#include <string_view>

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
  if (record.pathlength) WritePathLength(c, 'B', 7, *record.pathlength);
  // Without a wavelength in the file B6 keeps what the template holds.
  if (!record.wavelengths.empty()) {
    c.WriteTextCell('B', 6, workbook::FormatDecimal(record.wavelengths.front(), 4));
  }
  c.WriteTextCell('B', 9, record.factor);
  c.WriteTextCell('B', 8, "OD");
  c.WriteTextCell('A', 10, "Multiple");
  if (auto multiplier =
          record.multiple ? Od600DensityMultiplierText(*record.multiple) : std::nullopt) {
    c.WriteTextCell('B', 10, *multiplier);
  }
}

void WriteSamples(Conversion& c, const std::vector<Od600Sample>& samples) {
  WriteSampleRows(c, kFirstSampleRow, samples, [&c](int row, const Od600Sample& sample) {
    c.WriteTextCell('C', row, sample.od_value);
  });
}

}  // namespace

void WriteOd600DensityReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  const Od600File record = ReadOd600File(file, kOd600MaxSamples);

  ReportSummary& summary = c.Summary();
  summary.data_type = "OD600";
  summary.variant = std::string(kOd600OpticalDensity.name);
  summary.samples = static_cast<int>(record.samples.size());
  summary.wavelengths = static_cast<int>(record.wavelengths.size());
  c.OfferAsm([&record](const AsmSource& source) { return Od600Asm(record, false, source); });

  if (!c.AskOutputPath() || !c.OpenWorkbook()) return;
  WriteHeader(c, record);
  WriteSamples(c, record.samples);
  c.FinishWorkbook();
}

}  // namespace korvanta
