// Reference adjustment in formulas and range lists when rows or columns move.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "workbook/cell_address.h"

namespace korvanta::workbook {

// A structural change to one sheet: `count` rows (or columns) inserted before `at`
// (count > 0), or the rows `at` .. at - count - 1 deleted (count < 0).
struct Shift {
  enum class Axis { kRows, kColumns };
  Axis axis = Axis::kRows;
  int at = 1;
  int count = 0;
};

// Adjusts every reference in `formula` (without '=') that points into `edited_sheet`.
// Unqualified references belong to `formula_sheet`, the sheet holding the formula.
// Inserting grows a range that straddles the insertion and moves one at or below it;
// deleting shrinks ranges and turns references to wholly deleted cells into #REF!.
// String literals, function names, defined names and table references are untouched.
std::string AdjustFormulaForShift(std::string_view formula, std::string_view formula_sheet,
                                  std::string_view edited_sheet, const Shift& shift);

// Moves the relative parts of every reference by the paste offset, as pasting a copied
// formula does; a reference pushed off the sheet becomes #REF!.
std::string AdjustFormulaForPaste(std::string_view formula, int row_offset, int col_offset);

// Grows every reference into `edited_sheet` that covers rows of `source` over the rows
// `copies` placed next to it (GrowAreaOverCopies), as chart series follow their copied rows.
std::string GrowFormulaOverCopies(std::string_view formula, std::string_view formula_sheet,
                                  std::string_view edited_sheet, RowSpan source, RowSpan copies);

// One area ("B3", "A1:C4", "5:7", "D:D") under a shift; nothing when wholly deleted.
std::optional<std::string> AdjustAreaForShift(std::string_view area, const Shift& shift);
// A space-separated list of areas (sqref); areas wholly deleted are dropped, so the result
// may be empty.
std::string AdjustAreaListForShift(std::string_view areas, const Shift& shift);
// One area moved by an offset (pasting merged cells); nothing when it leaves the sheet.
std::optional<std::string> OffsetArea(std::string_view area, int row_offset, int col_offset);

}  // namespace korvanta::workbook
