#include "workbook/cell_writing.h"

#include <charconv>
#include <cmath>
#include <string>

#include "text/number_format.h"

namespace korvanta::workbook {
namespace {

CellRef CheckedRef(Col col, int row) {
  if (col.index < 1 || col.index > kMaxColumns || row < 1 || row > kMaxRows) {
    throw WorkbookError("The cell (column " + std::to_string(col.index) + ", row " +
                        std::to_string(row) + ") lies outside the sheet.");
  }
  return CellRef{col.index, row};
}

RowSpan CheckedRowSpan(std::string_view span) {
  const auto rows = ParseRowSpan(span);
  if (!rows) throw WorkbookError("\"" + std::string(span) + "\" is not a span of whole rows.");
  return *rows;
}

// The float as the shortest decimal that reads back as it (0.1f is 0.1, not 0.100000001...).
double ShortestDecimalOf(float value) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  const std::string text = text::ShortestFloatText(value);
  double decimal = 0;
  std::from_chars(text.data(), text.data() + text.size(), decimal);
  return decimal;
}

struct ValueWriter {
  Worksheet& sheet;
  CellRef ref;
  void operator()(const std::string& text) const { sheet.SetTypedInput(ref, text); }
  void operator()(const VerbatimText& text) const { sheet.SetText(ref, text.text); }
  void operator()(std::int32_t value) const { sheet.SetNumber(ref, value); }
  void operator()(float value) const { sheet.SetNumber(ref, ShortestDecimalOf(value)); }
};

}  // namespace

void PutCellValue(Worksheet& sheet, std::string_view address, const CellValue& value) {
  const auto ref = ParseCellAddress(address);
  if (!ref) {
    throw WorkbookError("\"" + std::string(address) + "\" is not the address of a cell.");
  }
  std::visit(ValueWriter{sheet, *ref}, value);
}

void WriteTextCell(Worksheet& sheet, Col col, int row, std::string_view text) {
  sheet.SetTypedInput(CheckedRef(col, row), text);
}

void WriteVerbatimTextCell(Worksheet& sheet, Col col, int row, std::string_view text) {
  sheet.SetText(CheckedRef(col, row), text);
}

void WriteIntegerCell(Worksheet& sheet, Col col, int row, std::int32_t value) {
  sheet.SetNumber(CheckedRef(col, row), value);
}

void WriteNumberCell(Worksheet& sheet, Col col, int row, float value) {
  sheet.SetNumber(CheckedRef(col, row), ShortestDecimalOf(value));
}

void InsertCopiedRows(Worksheet& sheet, int count, std::string_view span) {
  sheet.InsertCopiedRows(count, CheckedRowSpan(span));
}

void InsertColumns(Worksheet& sheet, int count, std::string_view span) {
  const auto columns = ParseColSpan(span);
  if (!columns) {
    throw WorkbookError("\"" + std::string(span) + "\" is not a span of whole columns.");
  }
  sheet.InsertColumns(count, *columns);
}

void DeleteRows(Worksheet& sheet, int count, std::string_view span) {
  sheet.DeleteRows(count, CheckedRowSpan(span));
}

void CopyRows(Worksheet& sheet, std::string_view source, std::string_view target) {
  sheet.CopyRows(CheckedRowSpan(source), CheckedRowSpan(target));
}

}  // namespace korvanta::workbook
