// Whole-row and whole-column operations with the spreadsheet's semantics: paste over rows,
// insert copied rows, insert columns, delete rows. Each is at most one shift.
#include <algorithm>

#include "workbook/merged_cells.h"
#include "workbook/part_handlers.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

int CheckedProduct(int count, int height, const char* what) {
  const long long total = static_cast<long long>(count) * height;
  if (total > kMaxRows) {
    throw WorkbookError(std::string("The sheet can not hold ") + std::to_string(total) + " " +
                        what + ".");
  }
  return static_cast<int>(total);
}

Row CopiedRow(const Row& source, int number, std::string_view sheet_name, const RowCopy& copy) {
  Row row;
  row.number = number;
  row.attributes = source.attributes;
  row.cells = source.cells;
  for (Cell& cell : row.cells) {
    CellFormula* formula = cell.Formula();
    if (!formula) continue;
    formula->text = AdjustFormulaForRowCopy(formula->text, sheet_name, copy);
    const std::string_view ref = FindValue(formula->attributes, "ref");
    if (ref.empty()) continue;
    if (const auto area = OffsetArea(ref, copy.offset, 0)) {
      SetValue(formula->attributes, "ref", *area);
    } else {
      EraseValue(formula->attributes, "t");
      EraseValue(formula->attributes, "ref");
    }
  }
  return row;
}

}  // namespace

CopiedBlock Worksheet::Impl::BlockOf(RowSpan span) const {
  const auto [begin, end] = cells.Range(span.first, span.last);
  CopiedBlock block{{cells.rows().begin() + static_cast<std::ptrdiff_t>(begin),
                     cells.rows().begin() + static_cast<std::ptrdiff_t>(end)},
                    SparklinesOfRows(Root(), span)};
  for (Row& row : block.rows) row.number -= span.first;
  return block;
}

void Worksheet::Impl::PlaceCopies(const CopiedBlock& block, const Paste& paste) {
  const int height = paste.Height();
  const int target_last =
      paste.target_first + CheckedProduct(paste.copies, height, "the pasted rows") - 1;
  if (target_last > kMaxRows) {
    throw WorkbookError("The sheet can not hold the pasted rows: they would pass its last row.");
  }
  std::vector<Row> placed;
  placed.reserve(block.rows.size() * static_cast<std::size_t>(paste.copies));
  for (int copy = 0; copy < paste.copies; ++copy) {
    const int first = paste.target_first + copy * height;
    for (const Row& row : block.rows) {
      placed.push_back(CopiedRow(row, first + row.number, name, paste.Copy(copy)));
    }
  }
  std::vector<Row>& rows = cells.rows();
  const auto [target_begin, target_end] = cells.Range(paste.target_first, target_last);
  const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(target_begin);
  rows.insert(rows.erase(begin, rows.begin() + static_cast<std::ptrdiff_t>(target_end)),
              std::make_move_iterator(placed.begin()), std::make_move_iterator(placed.end()));
  PasteSheetContent(Edit(), paste, block);
}

void Worksheet::CopyRows(RowSpan source, RowSpan target) {
  // A target of several source heights takes that many copies; a smaller one takes one.
  const int copies = std::max(1, target.Count() / source.Count());
  const Paste paste{source, target.first, copies, 0};
  FitMergesToCopies(impl_->merges, impl_->name, source, paste.Pasted(), impl_->shifts);
  impl_->PlaceCopies(impl_->BlockOf(source), paste);
}

// The spreadsheet's Insert Copied Cells done once per copy: each copy is pasted where the
// copied rows stood and pushed down by the later ones, and the insertion moves its references
// as it moves every other (AdjustFormulaForRowCopy; the evidence is in doc/engine-rules.md).
// All the copies make one shift.
void Worksheet::InsertCopiedRows(int count, RowSpan span) {
  if (count <= 0) return;
  const int inserted = CheckedProduct(count, span.Count(), "the inserted rows");
  FitMergesToCopies(impl_->merges, impl_->name, span, span, impl_->shifts);
  const CopiedBlock block = impl_->BlockOf(span);
  impl_->ApplyShift(Shift{Shift::Axis::kRows, span.first, inserted});
  impl_->PlaceCopies(block, Paste{span, span.first, count, inserted});
}

void Worksheet::InsertColumns(int count, ColSpan span) {
  if (count <= 0) return;
  const long long total = static_cast<long long>(count) * span.Count();
  if (total > kMaxColumns) {
    throw WorkbookError("The sheet can not hold " + std::to_string(total) + " inserted columns.");
  }
  const int inserted = static_cast<int>(total);
  impl_->ApplyShift(Shift{Shift::Axis::kColumns, span.first, inserted});
  if (span.first == 1) return;
  // The new cells take the format of the column on their left, row by row.
  for (Row& row : impl_->cells.rows()) {
    const Cell* left = row.Find(span.first - 1);
    if (!left || left->style == 0) continue;
    const std::uint32_t style = left->style;
    for (int col = span.first; col < span.first + inserted && col <= kMaxColumns; ++col) {
      row.Obtain(col).style = style;
    }
  }
}

void Worksheet::DeleteRows(int count, RowSpan span) {
  if (count <= 0) return;
  const long long total = static_cast<long long>(count) * span.Count();
  const int deleted = static_cast<int>(std::min<long long>(total, kMaxRows - span.first + 1));
  impl_->ApplyShift(Shift{Shift::Axis::kRows, span.first, -deleted});
}

}  // namespace korvanta::workbook
