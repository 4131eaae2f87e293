// What pasted copies of whole rows carry besides their cells: the Excel 2010 rules and
// sparklines of the copied rows, and the tables and pivot sources that grow over the copies.
#pragma once

#include <functional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/cell_address.h"
#include "workbook/package.h"

namespace korvanta::workbook {

struct BookStructure;

// The formula of copy number `copy` (0 is the first) of a formula in the copied rows, as the
// row-copy path adjusts the copied cells' formulas.
using CopyFormula = std::function<std::string(std::string_view formula, int copy)>;

// A sparkline placed in a block of copied rows: its group, its cell (rows counted from 0 at
// the block's first row) and its data range as a formula ("Sheet1!A9:E9").
struct BlockSparkline {
  pugi::xml_node sparkline;
  CellRef place;
  std::string data;
};

// The sparklines placed in `rows`, taken when the block's cells are taken, so that their data
// ranges are adjusted for each copy exactly as the copied formulas are.
std::vector<BlockSparkline> SparklinesOfRows(pugi::xml_node worksheet, RowSpan rows);
// Replaces the sparklines placed in the pasted rows with one per copied sparkline and copy.
void PlaceSparklineCopies(pugi::xml_node worksheet, const std::vector<BlockSparkline>& sparklines,
                          RowSpan pasted, int height, const CopyFormula& copy_formula);
// The x14 conditional formats and validations of the source rows grow over the copies, as
// their plain twins do.
void ExtendExtensionRulesOverPaste(pugi::xml_node worksheet, RowSpan source, int target_first,
                                   int copies);

// A table whose data rows hold the source rows grows over copies pasted directly below or
// above its data rows; its filter follows.
void GrowTablesOverPaste(Package& package, std::string_view sheet_part, RowSpan source,
                         RowSpan pasted);
// Likewise the source range of a pivot cache on the sheet.
void GrowPivotSourcesOverPaste(Package& package, std::string_view sheet_name, RowSpan source,
                               RowSpan pasted);

}  // namespace korvanta::workbook
