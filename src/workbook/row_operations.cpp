// Whole-row and whole-column operations with the spreadsheet's semantics: paste over rows,
// insert copied rows, insert columns, delete rows. Each is at most one shift.
#include <algorithm>

#include "workbook/sheet_shift.h"
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

Row CopiedRow(const Row& source, int number, int copy, const RowCopyAdjustment& adjustment) {
  Row row;
  row.number = number;
  row.attributes = source.attributes;
  row.cells = source.cells;
  for (Cell& cell : row.cells) {
    CellFormula* formula = cell.Formula();
    if (!formula) continue;
    formula->text = adjustment.formula(formula->text, copy);
    const std::string_view ref = FindValue(formula->attributes, "ref");
    if (ref.empty()) continue;
    if (const auto area = adjustment.area(ref, copy)) {
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

std::vector<Row> Worksheet::Impl::BlockOf(RowSpan span) const {
  const auto [begin, end] = cells.Range(span.first, span.last);
  std::vector<Row> block(cells.rows().begin() + static_cast<std::ptrdiff_t>(begin),
                         cells.rows().begin() + static_cast<std::ptrdiff_t>(end));
  for (Row& row : block) row.number -= span.first;
  return block;
}

void Worksheet::Impl::PlaceCopies(const std::vector<Row>& block, RowSpan source, int target_first,
                                  int copies, const RowCopyAdjustment& adjustment) {
  const int height = source.Count();
  const int target_last = target_first + CheckedProduct(copies, height, "the pasted rows") - 1;
  if (target_last > kMaxRows) {
    throw WorkbookError("The sheet can not hold the pasted rows: they would pass its last row.");
  }
  std::vector<Row> placed;
  placed.reserve(block.size() * static_cast<std::size_t>(copies));
  for (int copy = 0; copy < copies; ++copy) {
    for (const Row& row : block) {
      placed.push_back(CopiedRow(row, target_first + copy * height + row.number, copy, adjustment));
    }
  }
  std::vector<Row>& rows = cells.rows();
  const auto [target_begin, target_end] = cells.Range(target_first, target_last);
  const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(target_begin);
  rows.insert(rows.erase(begin, rows.begin() + static_cast<std::ptrdiff_t>(target_end)),
              std::make_move_iterator(placed.begin()), std::make_move_iterator(placed.end()));

  // Merged areas in the target rows give way to those of the copied rows.
  std::vector<CellArea> source_merges;
  for (const CellArea& merge : merges) {
    if (merge.WithinRows(source.first, source.last)) source_merges.push_back(merge);
  }
  std::erase_if(
      merges, [&](const CellArea& merge) { return merge.TouchesRows(target_first, target_last); });
  for (int copy = 0; copy < copies; ++copy) {
    const int offset = target_first + copy * height - source.first;
    for (const CellArea& merge : source_merges) merges.push_back(merge.Offset(offset, 0));
  }
  ExtendRulesOverPaste(Root(), source, target_first, copies);
  GrowChartRangesOverCopies(*package, name, {source.first, source.last},
                            {target_first, target_last});
}

void Worksheet::CopyRows(RowSpan source, RowSpan target) {
  // A target of several source heights takes that many copies; a smaller one takes one.
  const int copies = std::max(1, target.Count() / source.Count());
  const int height = source.Count();
  const int first_offset = target.first - source.first;
  impl_->PlaceCopies(impl_->BlockOf(source), source, target.first, copies,
                     {[&](std::string_view formula, int copy) {
                        return AdjustFormulaForPaste(formula, first_offset + copy * height, 0);
                      },
                      [&](std::string_view area, int copy) {
                        return OffsetArea(area, first_offset + copy * height, 0);
                      }});
}

void Worksheet::InsertCopiedRows(int count, RowSpan span) {
  if (count <= 0) return;
  const int height = span.Count();
  const int inserted = CheckedProduct(count, height, "the inserted rows");
  const std::vector<Row> block = impl_->BlockOf(span);
  impl_->ApplyShift(Shift{Shift::Axis::kRows, span.first, inserted});
  // As inserting one copy at a time would leave them: the copy that lands k blocks above the
  // span has lived through k of those insertions, so its formulas follow k block heights of
  // shift (its references to its own rows name itself).
  const auto shift_for = [&](int copy) {
    return Shift{Shift::Axis::kRows, span.first, copy * height};
  };
  const std::string& sheet_name = impl_->name;
  impl_->PlaceCopies(block, RowSpan{span.first + inserted, span.last + inserted}, span.first, count,
                     {[&](std::string_view formula, int copy) {
                        if (copy == 0) return std::string(formula);
                        return AdjustFormulaForShift(formula, sheet_name, sheet_name,
                                                     shift_for(copy));
                      },
                      [&](std::string_view area, int copy) -> std::optional<std::string> {
                        return AdjustAreaForShift(area, shift_for(copy));
                      }});
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
