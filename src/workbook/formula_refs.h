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

inline bool IsRows(const Shift& shift) { return shift.axis == Shift::Axis::kRows; }

// One copy of the whole rows source_first .. source_last, placed `offset` rows below where
// they stood when copied. `inserted` is the number of rows the operation inserts at
// source_first to make room for its copies (InsertCopiedRows); 0 when the copy is pasted
// over existing rows (CopyRows).
struct RowCopy {
  int source_first = 1;
  int source_last = 1;
  int offset = 0;
  int inserted = 0;
};

// Copies of the whole rows `source`, as they stood when copied, placed one below the other
// from row `target_first`, `copies` times. `inserted` rows were inserted at source.first to
// make room for them (InsertCopiedRows); 0 when they are pasted over existing rows (CopyRows).
struct Paste {
  RowSpan source;
  int target_first = 1;
  int copies = 1;
  int inserted = 0;

  int Height() const { return source.Count(); }
  // The copied rows where they stand once the room for the copies is made.
  RowSpan Standing() const { return {source.first + inserted, source.last + inserted}; }
  // The rows the copies fill.
  RowSpan Pasted() const { return {target_first, target_first + copies * Height() - 1}; }
  // Copy number `copy` (0 is the first) as its formulas follow it.
  RowCopy Copy(int copy) const {
    return {source.first, source.last, target_first + copy * Height() - source.first, inserted};
  }
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

// The formula of a copy of whole rows of `sheet_name`; one rule for pasted and inserted copies.
// A copy reads as its source pasted where it lands, then adjusted by the insertion that made
// room for it as every formula of the sheet is, except that references into the copied rows
// name the copy's own rows:
// - pasted over rows: relative parts move by the offset, absolute parts stay (as pasting does);
// - inserted: each copy is pasted where the source rows stood and the rows are pushed down
//   one block at a time, so on the edited sheet, absolute and relative parts alike, a row
//   above the copied rows stays, a row inside them moves by the copy's offset and a row below
//   them moves by all inserted rows; references to other sheets stay.
// A reference pushed off the sheet becomes #REF!.
std::string AdjustFormulaForRowCopy(std::string_view formula, std::string_view sheet_name,
                                    const RowCopy& copy);
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
