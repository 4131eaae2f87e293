#pragma once

// The purity marks of the DNA/RNA templates: ratios outside the usual ranges of the nucleic
// acid the report names in B2, and the legend line that explains them.

#include "template_style.h"

namespace korvanta::templates {

// Marks the A260/A280 and A260/A230 cells of the sample pattern row `row` (copied by the
// writer over every sample row, and the marks with it) and writes the legend in `legend_row`.
void PurityFlags(TemplateSheet& sheet, char a260_a280_column, char a260_a230_column, int row,
                 int legend_row);

}  // namespace korvanta::templates
