// Whole-row and whole-column operations with the spreadsheet's semantics: paste over rows,
// insert copied rows, insert columns, delete rows. Each is at most one shift.
#include <algorithm>

#include "workbook/sheet_shift.h"
#include "workbook/template_position.h"
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

std::string SpanText(RowSpan span) {
  return std::to_string(span.first) + ":" + std::to_string(span.last);
}

// Names the merge and the rows as the template has them: columns or rows inserted before the
// copies would otherwise show in the message as cells the user can not find.
[[noreturn]] void RefuseCutMerge(const CellArea& merge, std::string_view sheet_name, RowSpan rows,
                                 const char* what, std::span<const Shift> shifts) {
  const RowSpan template_rows = RowsInTemplate(rows, shifts);
  const int edge = merge.first_row < rows.first ? template_rows.first : template_rows.last;
  throw MergeAcrossCopiedRows(AreaInTemplate(merge, shifts).ToString(), sheet_name, edge,
                              SpanText(template_rows), what);
}

// Merged areas reaching out of the copied rows `source` or the rows `target` their copies
// go to. Such a merge goes with the copies only when it starts above the source and reaches
// over it: the copies then sit in it as their source does (none holds its first cell), and
// it grows over copies that adjoin it. Any other would be cut: the template is refused
// rather than lose the merge silently. InsertCopiedRows passes its span as both; the shift
// that follows grows the merge over the inserted copies.
void FitMergesToCopies(std::vector<CellArea>& merges, std::string_view sheet_name, RowSpan source,
                       RowSpan target, std::span<const Shift> shifts) {
  std::vector<CellArea> fitted = merges;  // nothing changes when the template is refused
  for (CellArea& merge : fitted) {
    const bool in_source = merge.TouchesRows(source.first, source.last);
    const bool in_target = merge.TouchesRows(target.first, target.last);
    if ((!in_source || merge.WithinRows(source.first, source.last)) &&
        (!in_target || merge.WithinRows(target.first, target.last))) {
      continue;
    }
    const bool holds_source = merge.first_row < source.first && merge.last_row >= source.last;
    const bool reaches_target =
        merge.first_row < target.first && target.first <= merge.last_row + 1;
    if (holds_source && reaches_target) {
      merge.last_row = std::max(merge.last_row, target.last);
      continue;
    }
    if (in_source && !merge.WithinRows(source.first, source.last)) {
      RefuseCutMerge(merge, sheet_name, source, "copies", shifts);
    }
    RefuseCutMerge(merge, sheet_name, target, "pastes over", shifts);
  }
  merges = std::move(fitted);
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

// Pasted rows carry the conditional formats and validations of their source rows: the
// rules' ranges grow over the copies.
void ExtendRulesOverPaste(pugi::xml_node worksheet, RowSpan source, int target_first, int copies) {
  const auto extend = [&](pugi::xml_node rule) {
    pugi::xml_attribute list = rule.attribute("sqref");
    if (!list) return;
    if (const auto extended =
            RepeatOverPastedRows(list.value(), source.first, source.last, target_first, copies)) {
      list = extended->c_str();
    }
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

CopiedBlock Worksheet::Impl::BlockOf(RowSpan span) const {
  const auto [begin, end] = cells.Range(span.first, span.last);
  CopiedBlock block{{cells.rows().begin() + static_cast<std::ptrdiff_t>(begin),
                     cells.rows().begin() + static_cast<std::ptrdiff_t>(end)},
                    SparklinesOfRows(Root(), span)};
  for (Row& row : block.rows) row.number -= span.first;
  return block;
}

void Worksheet::Impl::PlaceCopies(const CopiedBlock& block, RowSpan source, int target_first,
                                  int copies, int inserted) {
  const int height = source.Count();
  const int target_last = target_first + CheckedProduct(copies, height, "the pasted rows") - 1;
  if (target_last > kMaxRows) {
    throw WorkbookError("The sheet can not hold the pasted rows: they would pass its last row.");
  }
  std::vector<Row> placed;
  placed.reserve(block.rows.size() * static_cast<std::size_t>(copies));
  for (int copy = 0; copy < copies; ++copy) {
    const int first = target_first + copy * height;
    const RowCopy placement{source.first, source.last, first - source.first, inserted};
    for (const Row& row : block.rows) {
      placed.push_back(CopiedRow(row, first + row.number, name, placement));
    }
  }
  std::vector<Row>& rows = cells.rows();
  const auto [target_begin, target_end] = cells.Range(target_first, target_last);
  const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(target_begin);
  rows.insert(rows.erase(begin, rows.begin() + static_cast<std::ptrdiff_t>(target_end)),
              std::make_move_iterator(placed.begin()), std::make_move_iterator(placed.end()));

  // Merged areas within pasted-over rows give way to those of the copied rows; a merge that
  // grew over inserted rows holds the copies.
  const RowSpan now{source.first + inserted, source.last + inserted};
  std::vector<CellArea> source_merges;
  for (const CellArea& merge : merges) {
    if (merge.WithinRows(now.first, now.last)) source_merges.push_back(merge);
  }
  if (inserted == 0) {
    std::erase_if(
        merges, [&](const CellArea& merge) { return merge.WithinRows(target_first, target_last); });
  }
  for (int copy = 0; copy < copies; ++copy) {
    const int offset = target_first + copy * height - now.first;
    for (const CellArea& merge : source_merges) merges.push_back(merge.Offset(offset, 0));
  }
  ExtendRulesOverPaste(Root(), now, target_first, copies);
  ExtendExtensionRulesOverPaste(Root(), now, target_first, copies);
  const RowSpan pasted{target_first, target_last};
  PlaceSparklineCopies(Root(), block.sparklines, pasted, height,
                       [&](std::string_view formula, int copy) {
                         const int offset = target_first + copy * height - source.first;
                         return AdjustFormulaForRowCopy(
                             formula, name, {source.first, source.last, offset, inserted});
                       });
  GrowTablesOverPaste(*package, part_name, now, pasted);
  table_headers = ReadTableHeaders(*package, part_name);
  GrowPivotSourcesOverPaste(*package, name, now, pasted);
  GrowChartRangesOverCopies(*package, name, now, pasted);
}

void Worksheet::CopyRows(RowSpan source, RowSpan target) {
  // A target of several source heights takes that many copies; a smaller one takes one.
  const int copies = std::max(1, target.Count() / source.Count());
  const RowSpan pasted{target.first, target.first + copies * source.Count() - 1};
  FitMergesToCopies(impl_->merges, impl_->name, source, pasted, impl_->shifts);
  impl_->PlaceCopies(impl_->BlockOf(source), source, target.first, copies, 0);
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
  impl_->PlaceCopies(block, span, span.first, count, inserted);
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
