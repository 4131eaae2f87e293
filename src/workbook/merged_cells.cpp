// The active sheet's merged areas under row and column edits: the check before rows are
// copied, and the handlers that move them with a shift and repeat them over pasted copies.
#include "workbook/merged_cells.h"

#include <algorithm>
#include <string>

#include "workbook/part_handlers.h"
#include "workbook/sheet_shift.h"
#include "workbook/template_position.h"
#include "workbook/workbook_errors.h"

namespace korvanta::workbook {
namespace {

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

}  // namespace

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

void ShiftMerges(const SheetEdit& edit, const Shift& shift) {
  std::vector<CellArea> moved;
  moved.reserve(edit.merges.size());
  for (const CellArea& merge : edit.merges) {
    if (const auto area = ShiftMergedArea(merge, shift); area && !area->IsSingleCell()) {
      moved.push_back(*area);
    }
  }
  edit.merges = std::move(moved);
}

// Merged areas within pasted-over rows give way to those of the copied rows; a merge that
// grew over inserted rows holds the copies.
void PasteMerges(const SheetEdit& edit, const Paste& paste, const CopiedBlock&) {
  const RowSpan standing = paste.Standing();
  const RowSpan pasted = paste.Pasted();
  std::vector<CellArea> source_merges;
  for (const CellArea& merge : edit.merges) {
    if (merge.WithinRows(standing.first, standing.last)) source_merges.push_back(merge);
  }
  if (paste.inserted == 0) {
    std::erase_if(edit.merges, [&](const CellArea& merge) {
      return merge.WithinRows(pasted.first, pasted.last);
    });
  }
  for (int copy = 0; copy < paste.copies; ++copy) {
    const int offset = paste.target_first + copy * paste.Height() - standing.first;
    for (const CellArea& merge : source_merges) edit.merges.push_back(merge.Offset(offset, 0));
  }
}

}  // namespace korvanta::workbook
