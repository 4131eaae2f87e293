// Fills a Protein standard-curve or Concentration report from its record: the header cells,
// then the sample table, the standards block and the wavelength block, bottom block first so
// that each row operation moves only rows already written.
#pragma once

#include <string>
#include <string_view>

#include "reports/standard_curve_format.h"

namespace korvanta {

class ReportSheet;

// "CONC = <k1> * OD - <k0 without its minus>" for a k0 that starts with "-", otherwise
// "CONC = <k1> * OD + <k0>".
std::string EquationText(std::string_view k0, std::string_view k1);


// Writes every cell of the report. The workbook is open.
void StandardCurveBody(ReportSheet& c, const StandardCurveRecord& record);

}  // namespace korvanta
