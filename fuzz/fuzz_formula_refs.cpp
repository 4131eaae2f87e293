// Reference adjustment on arbitrary formulas and range lists. Besides the sanitizers' checks
// it holds the adjustment to what must always be true: the tokens rebuild the formula, a
// change that moves nothing leaves the text alone, and rows inserted and deleted again give
// every reference back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "workbook/area_ref.h"
#include "workbook/cell_address.h"
#include "workbook/formula_refs.h"
#include "workbook/formula_tokens.h"

namespace {

using korvanta::workbook::AreaRef;
using korvanta::workbook::Shift;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Takes the leading bytes that choose the change; the rest is the formula.
struct Change {
  Shift shift;
  int row_offset = 0;
  int col_offset = 0;
};

int TakeByte(std::string_view& input) {
  if (input.empty()) return 0;
  const int value = static_cast<unsigned char>(input.front());
  input.remove_prefix(1);
  return value;
}

// Positions cluster near the small rows the writers use and near the sheet's last rows.
int Position(int selector, int limit) {
  return selector < 128 ? 1 + selector % 32 : limit - (selector - 128) % 32;
}

Change TakeChange(std::string_view& input) {
  Change change;
  const int axis = TakeByte(input);
  change.shift.axis = axis % 2 == 0 ? Shift::Axis::kRows : Shift::Axis::kColumns;
  const int limit = change.shift.axis == Shift::Axis::kRows ? korvanta::workbook::kMaxRows
                                                            : korvanta::workbook::kMaxColumns;
  change.shift.at = Position(TakeByte(input), limit);
  const int count = 1 + TakeByte(input) % 40;
  change.shift.count = axis & 2 ? -std::min(count, limit - change.shift.at + 1) : count;
  change.row_offset = TakeByte(input) - 128;
  change.col_offset = TakeByte(input) - 128;
  return change;
}

void CheckTokens(std::string_view formula) {
  std::string rebuilt;
  for (const auto& token : korvanta::workbook::TokenizeFormula(formula)) {
    rebuilt += token.text;
    if (!token.reference) continue;
    // The text of a reference reads back as the same area.
    const AreaRef& area = token.reference->area;
    Require(korvanta::workbook::ParseAreaRef(korvanta::workbook::FormatAreaRef(area)) == area);
  }
  Require(rebuilt == formula);
}

// An inserted block deleted again restores every area it moved without pushing off the sheet.
void CheckInsertThenDelete(std::string_view formula, const Shift& shift) {
  if (shift.count <= 0) return;
  const Shift undo{shift.axis, shift.at, -shift.count};
  const int limit = shift.axis == Shift::Axis::kRows ? korvanta::workbook::kMaxRows
                                                     : korvanta::workbook::kMaxColumns;
  for (const auto& token : korvanta::workbook::TokenizeFormula(formula)) {
    if (!token.reference) continue;
    const AreaRef& area = token.reference->area;
    const bool rows = shift.axis == Shift::Axis::kRows;
    const int last = rows ? area.last_row.index : area.last_col.index;
    if (last + shift.count > limit) continue;  // clipped at the sheet's edge
    const auto inserted = korvanta::workbook::ShiftArea(area, shift);
    Require(inserted.has_value());
    Require(korvanta::workbook::ShiftArea(*inserted, undo) == area);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const Change change = TakeChange(input);
  const std::string_view formula = input;

  CheckTokens(formula);
  CheckInsertThenDelete(formula, change.shift);

  const std::string shifted =
      korvanta::workbook::AdjustFormulaForShift(formula, "Sheet1", "Sheet1", change.shift);
  CheckTokens(shifted);
  const std::string elsewhere =
      korvanta::workbook::AdjustFormulaForShift(formula, "Sheet1", "Data", change.shift);
  CheckTokens(elsewhere);
  Require(korvanta::workbook::AdjustFormulaForShift(formula, "Sheet1", "Sheet1",
                                                    Shift{change.shift.axis, 1, 0}) == formula);

  const std::string pasted =
      korvanta::workbook::AdjustFormulaForPaste(formula, change.row_offset, change.col_offset);
  CheckTokens(pasted);
  Require(korvanta::workbook::AdjustFormulaForPaste(formula, 0, 0) == formula);

  // The same text as a single area and as a range list (sqref).
  korvanta::workbook::AdjustAreaForShift(formula, change.shift);
  korvanta::workbook::AdjustAreaListForShift(formula, change.shift);
  korvanta::workbook::OffsetArea(formula, change.row_offset, change.col_offset);
  return 0;
}
