// Whole rows taken for copying: their cells and the sparklines placed in them, taken together
// so that the copies follow the rows as they stood.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "workbook/cell_address.h"
#include "workbook/sheet_rows.h"

namespace korvanta::workbook {

// A sparkline placed in a block of copied rows: its group, its cell (rows counted from 0 at
// the block's first row) and its data range as a formula ("Sheet1!A9:E9").
struct BlockSparkline {
  pugi::xml_node sparkline;
  CellRef place;
  std::string data;
};

// Rows taken for copying, numbered from 0, with the sparklines placed in them.
struct CopiedBlock {
  std::vector<Row> rows;
  std::vector<BlockSparkline> sparklines;
};

// The sparklines placed in `rows`, taken when the block's cells are taken, so that their data
// ranges are adjusted for each copy exactly as the copied formulas are.
std::vector<BlockSparkline> SparklinesOfRows(pugi::xml_node worksheet, RowSpan rows);

}  // namespace korvanta::workbook
