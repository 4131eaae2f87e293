#include "reports/pattern_row.h"

#include "reports/report_sheet.h"
#include "reports/span_text.h"

namespace korvanta {

void CopyPatternRow(ReportSheet& c, int pattern_row, int row_count) {
  if (row_count <= 1) return;
  c.CopyRows(RowSpanText(pattern_row, pattern_row),
             RowSpanText(pattern_row + 1, pattern_row + row_count - 1));
}

}  // namespace korvanta
