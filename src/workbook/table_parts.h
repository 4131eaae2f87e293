// The Excel tables of the edited sheet (xl/tables/tableN.xml): their header rows, whose cells
// name the table columns, and the naming rule Excel applies to them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workbook/package.h"

namespace korvanta::workbook {

struct BookStructure;

// The header row of one table: the cells row, first_col .. last_col name its columns; the
// table reaches down to last_row.
struct TableHeader {
  std::string part;
  std::string name;  // as formulas name the table
  int row = 1;
  int first_col = 1;
  int last_col = 1;
  int last_row = 1;
};

// The tables of the sheet that show a header row.
std::vector<TableHeader> ReadTableHeaders(Package& package, std::string_view sheet_part);

// The names of the table's columns, in order.
std::vector<std::string> TableColumnNames(Package& package, const TableHeader& header);

struct ColumnRename {
  std::string before;
  std::string after;
};
// Renames the column whose header cell is in column `col` after the text written there; the
// name it gets is what the cell must then show. As in Excel, names are unique in their table
// regardless of case: a name taken by another column gets the lowest number from 2 that makes
// it unique ("Name" -> "Name2"); an empty header becomes "Column1", "Column2"... The table's
// own formulas follow the new name.
ColumnRename NameTableColumn(Package& package, const TableHeader& header, int col,
                             std::string_view text);

// Formulas on the other sheets and the defined names follow a renamed column, as Excel
// rewrites every structured reference to it.
void RenameColumnOutsideSheet(Package& package, const BookStructure& book,
                              std::string_view sheet_part, const TableHeader& header,
                              const ColumnRename& name);

// `wanted`, or with the lowest number from 2 appended that no name in `taken` has
// (compared regardless of case); an empty `wanted` gives "ColumnN", N from 1.
std::string UniqueColumnName(std::string_view wanted, const std::vector<std::string>& taken);

}  // namespace korvanta::workbook
