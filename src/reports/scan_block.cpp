#include "reports/scan_block.h"

#include "driver/conversion.h"
#include "reports/span_text.h"

namespace korvanta {

void PrepareScanRows(Conversion& c, int first_row, int count) {
  if (count <= 1) return;
  c.CopyRows(RowSpanText(first_row, first_row), RowSpanText(first_row + 1, first_row + count - 1));
}

float StepPosition(int index, float step, float start) {
  return static_cast<float>(index) * step + start;
}

}  // namespace korvanta
