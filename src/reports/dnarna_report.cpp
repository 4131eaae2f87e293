// DNA/RNA report on "dnarna.xlsx": the measurement header and one row per sample. A
// dye-labelled file goes to the labelling report instead.
#include "asm/asm_builders.h"
#include "driver/conversion.h"
#include "reports/dnarna_format.h"
#include "reports/dnarna_head.h"
#include "reports/export_file.h"
#include "reports/report_variants.h"
#include "reports/report_writers.h"
#include "reports/sample_rows.h"

namespace korvanta {

namespace {

constexpr int kFirstSampleRow = 13;  // the template's sample row, copied down for the rest

void WriteHeader(Conversion& c, const DnaRnaFile& record) {
  WriteDnaRnaHead(c, record.head, false);
  if (auto unit = NucleicAcidUnit(record.unit_style)) c.WriteTextCell('B', 10, *unit);
}

}  // namespace

void WriteDnaRnaReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  const std::int32_t method_type = file.ReadInteger("method_type");
  if (method_type == kDnaRnaLabellingMethod) {
    c.m_templatePath = c.TemplatePath(kDnaRnaLabelling.template_file);
    if (c.CheckTemplate()) WriteDnaRnaLabellingReport(c);
    return;
  }
  const DnaRnaFile record = ReadDnaRnaFile(file, method_type, kDnaRnaMaxSamples);

  ReportSummary& summary = c.Summary();
  summary.data_type = "DNA/RNA";
  summary.variant = std::string(kDnaRna.name);
  summary.samples = static_cast<int>(record.samples.size());
  summary.wavelengths = static_cast<int>(record.head.wavelengths.size());
  c.OfferAsm([&record](const AsmSource& source) { return DnaRnaAsm(record, source); });

  if (!c.AskOutputPath() || !c.OpenWorkbook()) return;
  WriteHeader(c, record);
  WriteReadingRows(c, kFirstSampleRow, record.samples);
  c.FinishWorkbook();
}

}  // namespace korvanta
