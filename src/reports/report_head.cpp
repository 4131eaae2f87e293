#include "reports/report_head.h"

#include "driver/conversion.h"
#include "reports/code_tables.h"

namespace korvanta {

void WriteReportHead(Conversion& c, std::optional<std::string_view> method,
                     std::string_view sample_name) {
  c.WriteVerbatimTextCell('B', 1, c.m_exportFileName);
  if (method) c.WriteTextCell('B', 2, *method);
  c.WriteTextCell('B', 3, c.ConversionTimeText());
  c.WriteVerbatimTextCell('B', 5, sample_name);
}

void WriteMeasurementSettings(Conversion& c, std::optional<std::int32_t> pathlength,
                              std::string_view dilution_factor,
                              std::optional<std::int32_t> background) {
  if (pathlength) WritePathLength(c, 'B', 6, *pathlength);
  c.WriteTextCell('B', 7, dilution_factor);
  if (background) c.WriteTextCell('B', 8, BackgroundText(*background));
}

}  // namespace korvanta
