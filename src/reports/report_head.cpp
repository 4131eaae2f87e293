#include "reports/report_head.h"

#include "formats/code_tables.h"
#include "formats/export_file.h"
#include "formats/protein_code_tables.h"
#include "reports/report_sheet.h"

namespace korvanta {

void WritePathLength(ReportSheet& c, workbook::Col col, int row, std::int32_t code) {
  const auto text = PathLengthText(code);
  if (!text) return;
  // Fractions of a centimetre are numbers, whole centimetres integers.
  if (code < kFirstWholePathLength) {
    c.WriteNumberCell(col, row, TextToFloat(*text));
  } else {
    c.WriteIntegerCell(col, row, TextToInteger(*text));
  }
}

void WriteReportHead(ReportSheet& c, std::optional<std::string_view> method,
                     std::string_view sample_name) {
  c.WriteVerbatimTextCell('B', 1, c.ExportFileName());
  if (method) c.WriteTextCell('B', 2, *method);
  c.WriteTextCell('B', 3, c.ConversionTimeText());
  c.WriteVerbatimTextCell('B', 5, sample_name);
}

void WriteMeasurementSettings(ReportSheet& c, std::optional<std::int32_t> pathlength,
                              std::string_view dilution_factor,
                              std::optional<std::int32_t> background) {
  if (pathlength) WritePathLength(c, 'B', 6, *pathlength);
  c.WriteTextCell('B', 7, dilution_factor);
  if (background) c.WriteTextCell('B', 8, BackgroundText(*background));
}

void WriteProteinUvFactors(ReportSheet& c, std::string_view a280_factor,
                           std::string_view a260_factor, std::optional<std::int32_t> protein) {
  c.WriteTextCell('B', 9, a280_factor);
  c.WriteTextCell('B', 10, a260_factor);
  if (protein) {
    if (const auto name = ProteinTypeName(*protein)) c.WriteTextCell('B', 11, *name);
  }
}

}  // namespace korvanta
