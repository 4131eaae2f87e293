// The kinds of content that follow an edit of the active sheet's rows or columns, each with
// one handler for a shift and one for pasted copies of rows, and the walks over all of them.
#pragma once

#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "workbook/book_structure.h"
#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"
#include "workbook/package.h"
#include "workbook/pasted_rows.h"
#include "workbook/table_parts.h"

namespace korvanta::workbook {

// What the handlers edit: the active sheet (its XML, and the merged areas and table headers
// the model holds for it) and the package around it.
struct SheetEdit {
  Package& package;
  const BookStructure& book;
  pugi::xml_node worksheet;
  std::string_view part;
  std::string_view name;
  std::vector<CellArea>& merges;
  std::vector<TableHeader>& table_headers;
};

// Every kind's shift handler, in one order; the cells themselves are the caller's.
void ShiftSheetContent(const SheetEdit& edit, const Shift& shift);
// Every kind's paste handler, in the same order, once the copies' cells are placed.
void PasteSheetContent(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// The handlers, kind by kind; the file named beside each pair holds it.

// merged_cells.cpp: merged areas move, grow and shrink; pasted rows carry their source's.
void ShiftMerges(const SheetEdit& edit, const Shift& shift);
void PasteMerges(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// sheet_elements_shift.cpp: column widths, conditional formats, validations, hyperlinks,
// filters, selections, page breaks and protected ranges; pasted rows carry their rules.
void ShiftSheetElements(const SheetEdit& edit, const Shift& shift);
void PasteSheetRules(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// ext_list_shift.cpp: the Excel 2010 extensions (x14 conditional formats, validations,
// sparklines); what loses all its cells is removed, with the lists it leaves empty.
void ShiftExtensionList(const SheetEdit& edit, const Shift& shift);
void PasteExtensionList(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// table_parts_shift.cpp: the sheet's Excel tables, whose header cache follows every change.
void ShiftTables(const SheetEdit& edit, const Shift& shift);
void PasteTables(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// drawing_anchor_shift.cpp: anchors of images and charts, and of notes in legacy drawings.
void ShiftDrawings(const SheetEdit& edit, const Shift& shift);
void ShiftLegacyDrawings(const SheetEdit& edit, const Shift& shift);

// comments_shift.cpp: notes and threaded comments, removed with their cells.
void ShiftComments(const SheetEdit& edit, const Shift& shift);

// pivot_cache_shift.cpp: pivot caches reading a range of the sheet, and pivot tables on it.
void ShiftPivots(const SheetEdit& edit, const Shift& shift);
void PastePivots(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// chart_ranges_shift.cpp: the ranges of every chart that names the sheet.
void ShiftCharts(const SheetEdit& edit, const Shift& shift);
void PasteCharts(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block);

// book_formulas_shift.cpp: formulas on the other sheets and the workbook's defined names.
void ShiftOtherSheets(const SheetEdit& edit, const Shift& shift);
void ShiftDefinedNames(const SheetEdit& edit, const Shift& shift);

}  // namespace korvanta::workbook
