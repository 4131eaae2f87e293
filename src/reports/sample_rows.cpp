#include "reports/sample_rows.h"

#include "reports/report_sheet.h"

namespace korvanta {

void WriteSampleNumberAndId(ReportSheet& c, int row, int number, std::string_view sample_id) {
  c.WriteIntegerCell('A', row, number);
  c.WriteVerbatimTextCell('B', row, sample_id);
}

void WriteValuesFromC(ReportSheet& c, int row, std::span<const std::string> values) {
  for (std::size_t j = 0; j < values.size(); ++j) {
    c.WriteTextCell(Col('C') + static_cast<int>(j), row, values[j]);
  }
}

}  // namespace korvanta
