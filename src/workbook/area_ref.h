// One rectangular area of a sheet in A1 notation ("B3", "$A$1:C4", "5:7", "D:D"), with the
// absolute ($) flag of each part as written, and how it moves when rows or columns move.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "workbook/formula_refs.h"

namespace korvanta::workbook {

struct RefBound {
  int index = 1;  // 1-based row or column
  bool absolute = false;
  friend bool operator==(RefBound, RefBound) = default;
};

struct AreaRef {
  enum class Kind { kCell, kCells, kRows, kColumns };
  Kind kind = Kind::kCell;
  // A single cell repeats its bounds in `last_*`; whole rows ignore the columns and whole
  // columns ignore the rows. Parsed areas are ordered: first <= last on both axes.
  RefBound first_col, first_row, last_col, last_row;
  friend bool operator==(const AreaRef&, const AreaRef&) = default;
};

// Parses an area; whole rows and columns need both halves ("5:5", not "5").
std::optional<AreaRef> ParseAreaRef(std::string_view text);
std::string FormatAreaRef(const AreaRef& area);

// The area after a structural change; nothing when it is wholly deleted or pushed off the sheet.
std::optional<AreaRef> ShiftArea(const AreaRef& area, const Shift& shift);
// A reference of a copy inserted by InsertCopiedRows (see AdjustFormulaForRowCopy): rows
// above the copied rows stay, rows inside them follow the copy, rows below them move by all
// inserted rows. Nothing when it is pushed off the sheet.
std::optional<AreaRef> InsertedCopyArea(const AreaRef& area, const RowCopy& copy);
// The area grown over the rows `copies` when it covers some of the rows `source` and the
// copies adjoin or overlap it; otherwise unchanged. Whole rows and columns stay as they are.
AreaRef GrowAreaOverCopies(const AreaRef& area, RowSpan source, RowSpan copies);
// The area moved by an offset, its relative parts only or (`move_absolute`) all of them;
// nothing when any part leaves the sheet.
std::optional<AreaRef> MoveArea(const AreaRef& area, int row_offset, int col_offset,
                                bool move_absolute);

}  // namespace korvanta::workbook
