// Structured references to the columns of Excel tables in formulas ("Samples[Abs]",
// "[@Abs]", "Samples[[#This Row],[Abs]]"), renamed with the column as Excel renames them.
#pragma once

#include <string>
#include <string_view>

namespace korvanta::workbook {

// `formula` with every reference to column `old_name` of table `table` naming `new_name`
// instead (names compared regardless of case). References without a table name belong to
// the table only when `inside_table` is set (formulas in the table's own cells and columns).
// String literals and references to other tables or columns are kept byte for byte.
std::string RenameTableColumnInFormula(std::string_view formula, std::string_view table,
                                       std::string_view old_name, std::string_view new_name,
                                       bool inside_table);

}  // namespace korvanta::workbook
