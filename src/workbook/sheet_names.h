// Sheet names as formulas name them.
#pragma once

#include <string_view>

namespace korvanta::workbook {

// Whether two sheet names name the same sheet: the spreadsheet ignores letter case (also of
// accented Latin, Greek and Cyrillic letters); other characters must match exactly.
bool SameSheetName(std::string_view a, std::string_view b);

}  // namespace korvanta::workbook
