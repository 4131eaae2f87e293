// The report writers' vocabulary on the active sheet: cell writes by column letter and row,
// and the whole-row / whole-column block operations named by span text ("19:19", "D:D").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "workbook/cell_address.h"
#include "workbook/workbook.h"

namespace korvanta::workbook {

// Text that is stored as text whatever it looks like (file names, sample ids: "001").
struct VerbatimText {
  std::string text;
};

// Typed text (numbers become numbers), verbatim text, a 32-bit integer or a 32-bit float
// (stored as the shortest decimal that reads back as that float).
using CellValue = std::variant<std::string, VerbatimText, std::int32_t, float>;

// Address text such as "B7" or "AA10000"; an address outside the sheet throws WorkbookError.
void PutCellValue(Worksheet& sheet, std::string_view address, const CellValue& value);

void WriteTextCell(Worksheet& sheet, Col col, int row, std::string_view text);
void WriteVerbatimTextCell(Worksheet& sheet, Col col, int row, std::string_view text);
void WriteIntegerCell(Worksheet& sheet, Col col, int row, std::int32_t value);
void WriteNumberCell(Worksheet& sheet, Col col, int row, float value);

// Spans in the spreadsheet's notation; a malformed span throws WorkbookError.
void InsertCopiedRows(Worksheet& sheet, int count, std::string_view span);
void InsertColumns(Worksheet& sheet, int count, std::string_view span);
void DeleteRows(Worksheet& sheet, int count, std::string_view span);
void CopyRows(Worksheet& sheet, std::string_view source, std::string_view target);

}  // namespace korvanta::workbook
