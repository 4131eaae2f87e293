// Protein files of the UV method; a dye-labelled measurement (method code 2) is handed to
// the labelling report.
#include "asm/asm_builders.h"
#include "driver/conversion.h"
#include "reports/protein_code_tables.h"
#include "reports/protein_uv_format.h"
#include "reports/report_head.h"
#include "reports/report_variants.h"
#include "reports/report_writers.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kSampleRow = 15;

void WriteHeader(Conversion& c, const ProteinUvRecord& record) {
  WriteReportHead(c, ProteinUvMethodText(record.method_code), record.sample_name);
  WriteMeasurementSettings(c, record.pathlength, record.dilution_factor, record.background);
  WriteProteinUvFactors(c, record.a280_factor, record.a260_factor, record.protein);
  if (const auto unit = ProteinUvUnitText(record.unit_style)) c.WriteTextCell('B', 12, *unit);
}

void WriteSamples(Conversion& c, const ProteinUvRecord& record) {
  WriteSampleRows(c, kSampleRow, record.samples, [&c](int row, const ProteinUvSample& sample) {
    c.WriteTextCell('C', row, sample.a260);
    c.WriteTextCell('D', row, sample.a280);
    c.WriteTextCell('E', row, sample.a320);
    c.WriteTextCell('F', row, sample.a280_a260);
  });
}

}  // namespace

void WriteProteinUvReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  file.ReadInteger("method_type");
  file.ReadInteger("measurement_type");
  const std::int32_t method_code = TextToInteger(file.ReadLine("method_str"));
  if (method_code == kProteinLabellingMethodCode) {
    c.m_templatePath = c.TemplatePath(kProteinLabelling.template_file);
    if (c.CheckTemplate()) WriteProteinLabellingReport(c);
    return;
  }
  const ProteinUvRecord record = ReadProteinUvBody(file, method_code);

  ReportSummary& summary = c.Summary();
  summary.data_type = "Protein";
  summary.variant = std::string(kProteinUv.name);
  summary.samples = static_cast<int>(record.samples.size());
  summary.wavelengths = static_cast<int>(record.wavelengths.size());
  c.OfferAsm([&record](const AsmSource& source) { return ProteinUvAsm(record, source); });

  if (!c.AskOutputPath()) return;
  if (!c.OpenWorkbook()) return;
  WriteHeader(c, record);
  WriteSamples(c, record);
  c.FinishWorkbook();
}

}  // namespace korvanta
