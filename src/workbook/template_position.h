// Where cells of the edited sheet stood in the template: the structural changes made since are
// undone, so that a refusal names the cells as the user finds them in the template.
#pragma once

#include <span>

#include "workbook/cell_address.h"
#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"

namespace korvanta::workbook {

// `shifts` are the changes applied so far, in order. Rows and columns that a change inserted
// have no place in the template: an area's edge in them goes to the nearest template row or
// column inside the area.
CellArea AreaInTemplate(CellArea area, std::span<const Shift> shifts);
RowSpan RowsInTemplate(RowSpan rows, std::span<const Shift> shifts);
CellRef CellInTemplate(CellRef cell, std::span<const Shift> shifts);

}  // namespace korvanta::workbook
