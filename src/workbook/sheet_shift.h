// Structural changes (rows or columns inserted or deleted): how one index, one merged area
// and one formula element move, shared by the handlers of every kind of content; and the
// cached results that edits of the sheet make stale.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string_view>

#include "workbook/book_structure.h"
#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"
#include "workbook/package.h"

namespace korvanta::workbook {

// A row or column number as a part states it, held to 0 .. the sheet's last, so that moving
// it cannot overflow whatever the part says.
int ReadIndex(long long stated, const Shift& shift);
// Where one row (or column) number goes; nothing when it is deleted.
std::optional<int> ShiftedIndex(int index, const Shift& shift);
// A merged area moved, grown across an insertion or cut by a deletion; nothing when wholly
// deleted.
std::optional<CellArea> ShiftMergedArea(const CellArea& area, const Shift& shift);

// The formula an element holds as text (<f>, <formula>, <definedName>...) adjusted for a
// shift of `edited_sheet`; `formula_sheet` owns its unqualified references. An element whose
// formula does not change is left as it is.
void AdjustFormulaElement(pugi::xml_node element, std::string_view formula_sheet,
                          std::string_view edited_sheet, const Shift& shift);

// Formulas on other sheets that read the sheet lose their cached results, which its edits
// make stale, so that readers compute them afresh.
void ForgetResultsReadingSheet(Package& package, const BookStructure& book,
                               std::string_view sheet_part, std::string_view sheet_name);

}  // namespace korvanta::workbook
