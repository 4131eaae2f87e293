// Fills a Protein standard-curve or Concentration report from its record: the header cells,
// then the sample table, the standards block and the wavelength block, bottom block first so
// that each row operation moves only rows already written.
#pragma once

#include <string>
#include <string_view>

#include "formats/standard_curve_format.h"

namespace korvanta {

class ReportSheet;

// Writes every cell of the report. The workbook is open.
void StandardCurveBody(ReportSheet& c, const StandardCurveRecord& record);

}  // namespace korvanta
