// Tables the template gives as one pattern row (samples, scan points): the row is copied down
// so that every row of the grown table carries its borders and number formats.
#pragma once

namespace korvanta {

class ReportSheet;

// Copies the template's pattern row over the rows below it, so that `row_count` rows from
// `pattern_row` on carry its format; one row or none needs no copy.
void CopyPatternRow(ReportSheet& c, int pattern_row, int row_count);

}  // namespace korvanta
