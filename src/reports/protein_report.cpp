// Protein export files: the colorimetric methods with a standard curve or a K factor are
// converted here; the UV method is handed to its own report.
#include "asm/asm_builders.h"
#include "driver/conversion.h"
#include "reports/protein_uv_format.h"
#include "reports/report_variants.h"
#include "reports/report_writers.h"
#include "reports/standard_curve_body.h"
#include "reports/standard_curve_format.h"

namespace korvanta {

void WriteProteinReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  if (file.ReadInteger("method_type") == kProteinUvMethodType) {
    c.m_templatePath = c.TemplatePath(kProteinUv.template_file);
    if (c.CheckTemplate()) WriteProteinUvReport(c);
    return;
  }
  file.ReadInteger("measurement_type");
  const StandardCurveRecord record = ReadStandardCurveBody(file);

  ReportSummary& summary = c.Summary();
  summary.data_type = "Protein";
  summary.variant =
      std::string((record.IsStandardCurve() ? kProteinStandardCurve : kProteinKFactor).name);
  CountStandardCurve(summary, record);
  c.OfferAsm([&record](const AsmSource& source) { return StandardCurveAsm(record, source); });

  if (!c.AskOutputPath()) return;
  if (!c.OpenWorkbook()) return;
  StandardCurveBody(c, record);
  c.FinishWorkbook();
}

}  // namespace korvanta
