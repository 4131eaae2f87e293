// The active sheet's merged areas under row and column edits: checked before rows are
// copied, then moved by shifts and repeated over pasted copies by their handlers
// (part_handlers.h).
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "workbook/cell_address.h"
#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"

namespace korvanta::workbook {

// Fits the merged areas reaching out of the copied rows `source` or the rows `target` their
// copies go to. Such a merge goes with the copies only when it starts above the source and
// reaches over it: the copies then sit in it as their source does (none holds its first
// cell), and it grows over copies that adjoin it. Any other would be cut: the template is
// refused with a WorkbookError, and nothing changes, rather than lose the merge silently.
// InsertCopiedRows passes its span as both; the shift that follows grows the merge over the
// inserted copies.
// `shifts`: the edits applied so far, through which a refusal names the template's cells.
void FitMergesToCopies(std::vector<CellArea>& merges, std::string_view sheet_name, RowSpan source,
                       RowSpan target, std::span<const Shift> shifts);

}  // namespace korvanta::workbook
