#include "reports/scan_block.h"

#include <cstddef>

#include "reports/pattern_row.h"
#include "reports/report_sheet.h"
#include "text/number_format.h"

namespace korvanta {

void WriteScanBlock(ReportSheet& c, int first_row, const std::vector<std::string>& readings,
                    std::string_view y_title, std::string_view x_title,
                    const std::function<void(int row, int index)>& write_position) {
  const int count = static_cast<int>(readings.size());
  CopyPatternRow(c, first_row, count);
  for (int i = 0; i < count; ++i) {
    const int row = first_row + i;
    write_position(row, i);
    c.WriteTextCell('B', row, readings[static_cast<std::size_t>(i)]);
  }
  c.BuildChart(first_row, first_row + count - 1, y_title, x_title);
}

void WriteSteppedScanBlock(ReportSheet& c, int first_row, const std::vector<std::string>& readings,
                           const std::vector<float>& positions, std::string_view y_title,
                           std::string_view x_title) {
  WriteScanBlock(c, first_row, readings, y_title, x_title, [&](int row, int index) {
    c.WriteTextCell('A', row, text::FormatDecimal(positions[static_cast<std::size_t>(index)], 4));
  });
}

}  // namespace korvanta
