// Whole-row and whole-column operations with the spreadsheet's semantics: paste over rows,
// insert copied rows, insert columns, delete rows. Each is at most one shift.
#include <algorithm>

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

Row PastedRow(const Row& source, int row_offset) {
  Row row;
  row.number = source.number + row_offset;
  row.attributes = source.attributes;
  row.cells = source.cells;
  if (row_offset == 0) return row;
  for (Cell& cell : row.cells) {
    CellFormula* formula = cell.Formula();
    if (!formula) continue;
    formula->text = AdjustFormulaForPaste(formula->text, row_offset, 0);
    const std::string_view ref = FindValue(formula->attributes, "ref");
    if (ref.empty()) continue;
    if (const auto area = OffsetArea(ref, row_offset, 0)) {
      SetValue(formula->attributes, "ref", *area);
    } else {
      EraseValue(formula->attributes, "t");
      EraseValue(formula->attributes, "ref");
    }
  }
  return row;
}

// Pasted rows carry the conditional formats and validations of their source rows: the
// rules' ranges grow over the copies.
void ExtendRulesOverPaste(pugi::xml_node worksheet, RowSpan source, int target_first, int copies) {
  const auto extend = [&](pugi::xml_node rule) {
    pugi::xml_attribute list = rule.attribute("sqref");
    if (!list) return;
    std::vector<std::string> others;
    std::vector<CellArea> areas = ParseAreaList(list.value(), &others);
    std::vector<CellArea> in_source;
    for (const CellArea& area : areas) {
      if (!area.TouchesRows(source.first, source.last)) continue;
      CellArea part = area;
      part.first_row = std::max(part.first_row, source.first);
      part.last_row = std::min(part.last_row, source.last);
      in_source.push_back(part);
    }
    if (in_source.empty()) return;
    for (int copy = 0; copy < copies; ++copy) {
      const int offset = target_first + copy * source.Count() - source.first;
      for (const CellArea& part : in_source) AddArea(areas, part.Offset(offset, 0));
    }
    list = FormatAreaList(areas, others).c_str();
  };
  for (pugi::xml_node element : worksheet.children()) {
    if (LocalName(element) == "conditionalFormatting") extend(element);
    if (LocalName(element) != "dataValidations") continue;
    for (pugi::xml_node validation : element.children()) {
      if (LocalName(validation) == "dataValidation") extend(validation);
    }
  }
}

}  // namespace

void Worksheet::Impl::PasteRows(RowSpan source, int target_first, int copies) {
  const int height = source.Count();
  const int target_last = target_first + CheckedProduct(copies, height, "the pasted rows") - 1;
  if (target_last > kMaxRows) {
    throw WorkbookError("The sheet can not hold the pasted rows: they would pass its last row.");
  }
  std::vector<Row>& rows = cells.rows();
  const auto [source_begin, source_end] = cells.Range(source.first, source.last);
  const std::vector<Row> snapshot(rows.begin() + static_cast<std::ptrdiff_t>(source_begin),
                                  rows.begin() + static_cast<std::ptrdiff_t>(source_end));
  std::vector<CellArea> source_merges;
  for (const CellArea& merge : merges) {
    if (merge.WithinRows(source.first, source.last)) source_merges.push_back(merge);
  }

  std::vector<Row> pasted;
  pasted.reserve(snapshot.size() * static_cast<std::size_t>(copies));
  for (int copy = 0; copy < copies; ++copy) {
    const int offset = target_first + copy * height - source.first;
    for (const Row& row : snapshot) pasted.push_back(PastedRow(row, offset));
  }
  const auto [target_begin, target_end] = cells.Range(target_first, target_last);
  const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(target_begin);
  rows.insert(rows.erase(begin, rows.begin() + static_cast<std::ptrdiff_t>(target_end)),
              std::make_move_iterator(pasted.begin()), std::make_move_iterator(pasted.end()));

  // Merged areas in the target rows give way to those of the pasted rows.
  std::erase_if(
      merges, [&](const CellArea& merge) { return merge.TouchesRows(target_first, target_last); });
  for (int copy = 0; copy < copies; ++copy) {
    const int offset = target_first + copy * height - source.first;
    for (const CellArea& merge : source_merges) merges.push_back(merge.Offset(offset, 0));
  }
  ExtendRulesOverPaste(Root(), source, target_first, copies);
}

void Worksheet::CopyRows(RowSpan source, RowSpan target) {
  // A target of several source heights takes that many copies; a smaller one takes one.
  const int copies = std::max(1, target.Count() / source.Count());
  impl_->PasteRows(source, target.first, copies);
}

void Worksheet::InsertCopiedRows(int count, RowSpan span) {
  if (count <= 0) return;
  const int inserted = CheckedProduct(count, span.Count(), "the inserted rows");
  impl_->ApplyShift(Shift{Shift::Axis::kRows, span.first, inserted});
  // The copied rows have moved below the inserted ones; they are pasted from there.
  impl_->PasteRows(RowSpan{span.first + inserted, span.last + inserted}, span.first, count);
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
