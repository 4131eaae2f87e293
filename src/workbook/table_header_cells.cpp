// The active sheet's slice that keeps its tables' header cells and column names equal: a
// header cell written renames its column, an inserted table column shows its new name.
#include <algorithm>

#include "workbook/structured_refs.h"
#include "workbook/workbook_impl.h"

namespace korvanta::workbook {
namespace {

const TableHeader* HeaderAt(const std::vector<TableHeader>& headers, CellRef ref) {
  const auto found = std::find_if(headers.begin(), headers.end(), [&](const TableHeader& header) {
    return header.row == ref.row && header.first_col <= ref.col && ref.col <= header.last_col;
  });
  return found == headers.end() ? nullptr : &*found;
}

}  // namespace

bool Worksheet::Impl::IsTableHeader(CellRef ref) const {
  return HeaderAt(table_headers, ref) != nullptr;
}

std::string Worksheet::Impl::TableHeaderText(CellRef ref, std::string_view text) {
  const TableHeader* header = HeaderAt(table_headers, ref);
  if (!header) return std::string(text);
  const ColumnRename rename = NameTableColumn(*package, *header, ref.col, text);
  if (rename.before == rename.after || rename.before.empty()) return rename.after;
  for (Row& row : cells.rows()) {
    const bool in_rows = row.number >= header->row && row.number <= header->last_row;
    for (Cell& cell : row.cells) {
      CellFormula* formula = cell.Formula();
      if (!formula) continue;
      const bool inside = in_rows && cell.col >= header->first_col && cell.col <= header->last_col;
      formula->text = RenameTableColumnInFormula(formula->text, header->name, rename.before,
                                                 rename.after, inside);
    }
  }
  RenameColumnOutsideSheet(*package, *book, part_name, *header, rename);
  return rename.after;
}

void Worksheet::Impl::FillTableHeaders() {
  for (const TableHeader& header : table_headers) {
    const std::vector<std::string> names = TableColumnNames(*package, header);
    for (int col = header.first_col; col <= header.last_col; ++col) {
      const auto index = static_cast<std::size_t>(col - header.first_col);
      const Row* row = cells.Find(header.row);
      const Cell* cell = row ? row->Find(col) : nullptr;
      const bool empty = !cell || cell->IsBlank();
      if (empty && index < names.size() && !names[index].empty()) {
        StoreText({col, header.row}, names[index]);
      }
    }
  }
}

}  // namespace korvanta::workbook
