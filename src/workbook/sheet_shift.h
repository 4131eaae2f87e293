// Structural changes (rows or columns inserted or deleted) applied to what the edited sheet
// holds outside its cells, and to the parts that point into it.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"
#include "workbook/package.h"

namespace korvanta::workbook {

struct BookStructure;

// A row or column number as a part states it, held to 0 .. the sheet's last, so that moving
// it cannot overflow whatever the part says.
int ReadIndex(long long stated, const Shift& shift);
// Where one row (or column) number goes; nothing when it is deleted.
std::optional<int> ShiftedIndex(int index, const Shift& shift);
// A merged area moved, grown across an insertion or cut by a deletion; nothing when wholly
// deleted.
std::optional<CellArea> ShiftMergedArea(const CellArea& area, const Shift& shift);

// The worksheet's own elements: column widths, conditional formats, validations, hyperlinks,
// filters, selections, page breaks, protected ranges and the range lists of its extensions.
void ShiftSheetElements(pugi::xml_node worksheet, std::string_view sheet_name, const Shift& shift);

// Drawing anchors (images, charts) of a drawing part, respecting how each anchor moves.
void ShiftDrawingAnchors(pugi::xml_node drawing, const Shift& shift);
// The anchors of notes in a legacy (VML) drawing; shapes of deleted cells are removed.
void ShiftVmlAnchors(pugi::xml_node vml, const Shift& shift);

// Formulas on other sheets that read the sheet lose their cached results, which its edits
// make stale, so that readers compute them afresh.
void ForgetResultsReadingSheet(Package& package, const BookStructure& book,
                               std::string_view sheet_part, std::string_view sheet_name);

// Copied rows join the chart series of the rows they copy: a chart range on the sheet that
// covers rows of `source` grows over the rows `copies` where they adjoin it, so that a
// series naming a table's pattern row covers the table the copies make. (The spreadsheet's
// own paste and insert leave chart ranges alone; a template's chart could not follow its
// growing table otherwise.)
void GrowChartRangesOverCopies(Package& package, std::string_view sheet_name, RowSpan source,
                               RowSpan copies);

// Every other part that refers to the sheet's cells: its drawing, notes, tables, the charts,
// formulas on the other sheets and the defined names of the workbook.
void ShiftRelatedParts(Package& package, const BookStructure& book, std::string_view sheet_part,
                       std::string_view sheet_name, const Shift& shift);

}  // namespace korvanta::workbook
