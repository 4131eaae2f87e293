#include "workbook/template_position.h"

#include <algorithm>
#include <tuple>

namespace korvanta::workbook {
namespace {

enum class Edge { kFirst, kLast };

// The row or column number before `shift`.
int Unshifted(int index, const Shift& shift, Edge edge) {
  if (index < shift.at) return index;
  if (shift.count < 0 || index >= shift.at + shift.count) return index - shift.count;
  return edge == Edge::kFirst ? shift.at : shift.at - 1;
}

// The span first .. last along one axis, taken back through every change along it.
std::pair<int, int> SpanInTemplate(int first, int last, Shift::Axis axis,
                                   std::span<const Shift> shifts) {
  // Reverse iterators, not std::views::reverse: clang 14 with libstdc++ 12 rejects the view.
  for (auto it = shifts.rbegin(); it != shifts.rend(); ++it) {
    const Shift& shift = *it;
    if (shift.axis != axis) continue;
    first = Unshifted(first, shift, Edge::kFirst);
    last = std::max(first, Unshifted(last, shift, Edge::kLast));
  }
  return {first, last};
}

}  // namespace

CellArea AreaInTemplate(CellArea area, std::span<const Shift> shifts) {
  std::tie(area.first_row, area.last_row) =
      SpanInTemplate(area.first_row, area.last_row, Shift::Axis::kRows, shifts);
  std::tie(area.first_col, area.last_col) =
      SpanInTemplate(area.first_col, area.last_col, Shift::Axis::kColumns, shifts);
  return area;
}

RowSpan RowsInTemplate(RowSpan rows, std::span<const Shift> shifts) {
  std::tie(rows.first, rows.last) =
      SpanInTemplate(rows.first, rows.last, Shift::Axis::kRows, shifts);
  return rows;
}

CellRef CellInTemplate(CellRef cell, std::span<const Shift> shifts) {
  const CellArea area = AreaInTemplate({cell.row, cell.col, cell.row, cell.col}, shifts);
  return {area.first_col, area.first_row};
}

}  // namespace korvanta::workbook
