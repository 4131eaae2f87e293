// One structural change applied to the active sheet: its rows and cells and their formulas
// here, then every other kind of content through its handler.
#include "workbook/sheet_shift.h"

#include <algorithm>

#include "workbook/part_handlers.h"
#include "workbook/template_position.h"
#include "workbook/workbook_impl.h"

namespace korvanta::workbook {
namespace {

int Limit(const Shift& shift) { return IsRows(shift) ? kMaxRows : kMaxColumns; }

// Inserting may not push content off the sheet, as the spreadsheet refuses it too. The refusal
// names the cell where the template has it.
void CheckRoom(const SheetRows& cells, const Shift& shift, std::span<const Shift> earlier) {
  if (shift.count <= 0) return;
  const int limit = Limit(shift) - shift.count;
  for (const Row& row : cells.rows()) {
    for (const Cell& cell : row.cells) {
      const int index = IsRows(shift) ? row.number : cell.col;
      if (index >= shift.at && index > limit && !cell.IsBlank()) {
        throw NoRoomToInsert(IsRows(shift) ? "rows" : "columns",
                             CellAddress(CellInTemplate({cell.col, row.number}, earlier)));
      }
    }
  }
}

void ShiftRows(std::vector<Row>& rows, const Shift& shift) {
  std::vector<Row> kept;
  kept.reserve(rows.size());
  for (Row& row : rows) {
    if (const auto number = ShiftedIndex(row.number, shift)) {
      row.number = *number;
      kept.push_back(std::move(row));
    }
  }
  rows = std::move(kept);
}

void ShiftColumns(std::vector<Row>& rows, const Shift& shift) {
  for (Row& row : rows) {
    std::erase_if(row.cells, [&](Cell& cell) {
      const auto col = ShiftedIndex(cell.col, shift);
      if (col) cell.col = *col;
      return !col;
    });
  }
}

void AdjustCellFormulas(std::vector<Row>& rows, std::string_view sheet_name, const Shift& shift) {
  for (Row& row : rows) {
    for (Cell& cell : row.cells) {
      CellFormula* formula = cell.Formula();
      if (!formula) continue;
      formula->text = AdjustFormulaForShift(formula->text, sheet_name, sheet_name, shift);
      const std::string_view ref = FindValue(formula->attributes, "ref");
      if (!ref.empty()) {
        if (const auto area = AdjustAreaForShift(ref, shift)) {
          SetValue(formula->attributes, "ref", *area);
        }
      }
    }
  }
}

}  // namespace

int ReadIndex(long long stated, const Shift& shift) {
  return static_cast<int>(std::clamp<long long>(stated, 0, Limit(shift)));
}

std::optional<int> ShiftedIndex(int index, const Shift& shift) {
  if (shift.count >= 0) {
    if (index < shift.at) return index;
    const int moved = index + shift.count;
    if (moved > Limit(shift)) return std::nullopt;
    return moved;
  }
  const int deleted_last = shift.at - shift.count - 1;
  if (index < shift.at) return index;
  if (index <= deleted_last) return std::nullopt;
  return index + shift.count;
}

std::optional<CellArea> ShiftMergedArea(const CellArea& area, const Shift& shift) {
  int first = IsRows(shift) ? area.first_row : area.first_col;
  int last = IsRows(shift) ? area.last_row : area.last_col;
  if (shift.count > 0) {
    if (first >= shift.at) first += shift.count;
    if (last >= shift.at) last += shift.count;
    last = std::min(last, Limit(shift));
    if (first > last) return std::nullopt;
  } else if (shift.count < 0) {
    const int deleted = -shift.count;
    const int deleted_last = shift.at + deleted - 1;
    first = first > deleted_last ? first - deleted : std::min(first, shift.at);
    last = last > deleted_last ? last - deleted : std::min(last, shift.at - 1);
    if (first > last) return std::nullopt;
  }
  CellArea moved = area;
  (IsRows(shift) ? moved.first_row : moved.first_col) = first;
  (IsRows(shift) ? moved.last_row : moved.last_col) = last;
  return moved;
}

void AdjustFormulaElement(pugi::xml_node element, std::string_view formula_sheet,
                          std::string_view edited_sheet, const Shift& shift) {
  const std::string_view text = element.text().get();
  if (text.empty()) return;
  const std::string adjusted = AdjustFormulaForShift(text, formula_sheet, edited_sheet, shift);
  if (adjusted != text) element.text().set(adjusted.c_str());
}

void Worksheet::Impl::ApplyShift(const Shift& shift) {
  if (shift.count == 0) return;
  CheckRoom(cells, shift, shifts);
  if (IsRows(shift)) {
    ShiftRows(cells.rows(), shift);
  } else {
    ShiftColumns(cells.rows(), shift);
  }
  AdjustCellFormulas(cells.rows(), name, shift);
  ShiftSheetContent(Edit(), shift);
  FillTableHeaders();
  shifts.push_back(shift);
}

}  // namespace korvanta::workbook
