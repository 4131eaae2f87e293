// Concentration export files: below their first two lines they are laid out as Protein
// standard-curve files and filled the same way. A method_type other than 4 is still a
// Concentration file; only Protein files are handed to the UV report.
#include "asm/asm_builders.h"
#include "driver/conversion.h"
#include "reports/report_variants.h"
#include "reports/report_writers.h"
#include "reports/standard_curve_body.h"
#include "reports/standard_curve_format.h"

namespace korvanta {

void WriteConcentrationReport(Conversion& c) {
  ExportFile file = c.OpenExportFile();
  file.ReadInteger("method_type");
  file.ReadInteger("measurement_type");
  const StandardCurveRecord record = ReadStandardCurveBody(file);

  ReportSummary& summary = c.Summary();
  summary.data_type = "Concentration";
  summary.variant = std::string(kConcentration.name);
  CountStandardCurve(summary, record);
  c.OfferAsm([&record](const AsmSource& source) { return StandardCurveAsm(record, source); });

  if (!c.AskOutputPath()) return;
  if (!c.OpenWorkbook()) return;
  StandardCurveBody(c, record);
  c.FinishWorkbook();
}

}  // namespace korvanta
