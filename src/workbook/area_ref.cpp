#include "workbook/area_ref.h"

#include <algorithm>
#include <utility>

#include "workbook/cell_address.h"

namespace korvanta::workbook {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Strips a leading '$' and reports whether it was there.
bool TakeDollar(std::string_view& text) {
  if (text.empty() || text.front() != '$') return false;
  text.remove_prefix(1);
  return true;
}

std::optional<RefBound> ParseColumnBound(std::string_view text) {
  const bool absolute = TakeDollar(text);
  const auto index = ParseColumnName(text);
  if (!index) return std::nullopt;
  return RefBound{*index, absolute};
}

std::optional<RefBound> ParseRowBound(std::string_view text) {
  const bool absolute = TakeDollar(text);
  const auto index = ParseRowNumber(text);
  if (!index) return std::nullopt;
  return RefBound{*index, absolute};
}

std::optional<std::pair<RefBound, RefBound>> ParseCellBounds(std::string_view text) {
  std::string_view rest = text;
  TakeDollar(rest);
  const auto letters = static_cast<std::size_t>(
      std::find_if_not(rest.begin(), rest.end(), IsAsciiLetter) - rest.begin());
  const std::size_t split = text.size() - rest.size() + letters;
  const auto col = ParseColumnBound(text.substr(0, split));
  const auto row = ParseRowBound(text.substr(split));
  if (!col || !row) return std::nullopt;
  return std::pair{*col, *row};
}

std::string FormatColumn(RefBound bound) {
  return (bound.absolute ? "$" : "") + ColumnName(bound.index);
}

std::string FormatRow(RefBound bound) {
  return (bound.absolute ? "$" : "") + std::to_string(bound.index);
}

void Order(RefBound& first, RefBound& last) {
  if (first.index > last.index) std::swap(first, last);
}

bool Touches(AreaRef::Kind kind, Shift::Axis axis) {
  return axis == Shift::Axis::kRows ? kind != AreaRef::Kind::kColumns
                                    : kind != AreaRef::Kind::kRows;
}

// The inclusive span [first, last] after inserting or deleting, or nothing when it is gone.
std::optional<std::pair<int, int>> ShiftSpan(int first, int last, const Shift& shift, int limit) {
  const int at = shift.at;
  if (shift.count > 0) {
    if (at <= first) {
      first += shift.count;
      last += shift.count;
    } else if (at <= last) {
      last += shift.count;  // inserted strictly inside: the span grows
    }
    if (first > limit) return std::nullopt;
    return std::pair{first, std::min(last, limit)};
  }
  const int removed = -shift.count;
  const int removed_last = at + removed - 1;
  if (last < at) return std::pair{first, last};
  if (first > removed_last) return std::pair{first - removed, last - removed};
  if (first >= at && last <= removed_last) return std::nullopt;
  // Partly deleted: the surviving rows close up around the gap.
  return std::pair{first < at ? first : at, last > removed_last ? last - removed : at - 1};
}

bool MoveBound(RefBound& bound, int offset, bool move_absolute, int limit) {
  if (bound.absolute && !move_absolute) return true;
  bound.index += offset;
  return bound.index >= 1 && bound.index <= limit;
}

}  // namespace

std::optional<AreaRef> ParseAreaRef(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    const auto cell = ParseCellBounds(text);
    if (!cell) return std::nullopt;
    const auto [col, row] = *cell;
    return AreaRef{AreaRef::Kind::kCell, col, row, col, row};
  }
  const std::string_view first = text.substr(0, colon);
  const std::string_view last = text.substr(colon + 1);
  AreaRef area;
  if (const auto a = ParseCellBounds(first)) {
    const auto b = ParseCellBounds(last);
    if (!b) return std::nullopt;
    area = {AreaRef::Kind::kCells, a->first, a->second, b->first, b->second};
  } else if (const auto col_a = ParseColumnBound(first)) {
    const auto col_b = ParseColumnBound(last);
    if (!col_b) return std::nullopt;
    area = {AreaRef::Kind::kColumns, *col_a, RefBound{1, false}, *col_b, RefBound{kMaxRows, false}};
  } else if (const auto row_a = ParseRowBound(first)) {
    const auto row_b = ParseRowBound(last);
    if (!row_b) return std::nullopt;
    area = {AreaRef::Kind::kRows, RefBound{1, false}, *row_a, RefBound{kMaxColumns, false}, *row_b};
  } else {
    return std::nullopt;
  }
  Order(area.first_col, area.last_col);
  Order(area.first_row, area.last_row);
  return area;
}

std::string FormatAreaRef(const AreaRef& area) {
  switch (area.kind) {
    case AreaRef::Kind::kCell:
      return FormatColumn(area.first_col) + FormatRow(area.first_row);
    case AreaRef::Kind::kCells:
      return FormatColumn(area.first_col) + FormatRow(area.first_row) + ":" +
             FormatColumn(area.last_col) + FormatRow(area.last_row);
    case AreaRef::Kind::kRows:
      return FormatRow(area.first_row) + ":" + FormatRow(area.last_row);
    case AreaRef::Kind::kColumns:
      return FormatColumn(area.first_col) + ":" + FormatColumn(area.last_col);
  }
  return {};
}

std::optional<AreaRef> ShiftArea(const AreaRef& area, const Shift& shift) {
  if (shift.count == 0 || !Touches(area.kind, shift.axis)) return area;
  const bool rows = shift.axis == Shift::Axis::kRows;
  AreaRef moved = area;
  RefBound& first = rows ? moved.first_row : moved.first_col;
  RefBound& last = rows ? moved.last_row : moved.last_col;
  const auto span = ShiftSpan(first.index, last.index, shift, rows ? kMaxRows : kMaxColumns);
  if (!span) return std::nullopt;
  first.index = span->first;
  last.index = span->second;
  return moved;
}

std::optional<AreaRef> InsertedCopyArea(const AreaRef& area, const RowCopy& copy) {
  if (!Touches(area.kind, Shift::Axis::kRows)) return area;
  AreaRef moved = area;
  for (RefBound* bound : {&moved.first_row, &moved.last_row}) {
    if (bound->index < copy.source_first) continue;
    bound->index += bound->index <= copy.source_last ? copy.offset : copy.inserted;
    if (bound->index > kMaxRows) return std::nullopt;
  }
  return moved;
}

AreaRef GrowAreaOverCopies(const AreaRef& area, RowSpan source, RowSpan copies) {
  if (area.kind != AreaRef::Kind::kCell && area.kind != AreaRef::Kind::kCells) return area;
  const int first = area.first_row.index;
  const int last = area.last_row.index;
  const bool covers_source = last >= source.first && first <= source.last;
  const bool adjoins = copies.first <= last + 1 && copies.last >= first - 1;
  if (!covers_source || !adjoins) return area;
  AreaRef grown = area;
  grown.first_row.index = std::min(first, copies.first);
  grown.last_row.index = std::max(last, copies.last);
  if (grown != area) grown.kind = AreaRef::Kind::kCells;
  return grown;
}

std::optional<AreaRef> MoveArea(const AreaRef& area, int row_offset, int col_offset,
                                bool move_absolute) {
  AreaRef moved = area;
  if (Touches(area.kind, Shift::Axis::kRows) &&
      !(MoveBound(moved.first_row, row_offset, move_absolute, kMaxRows) &&
        MoveBound(moved.last_row, row_offset, move_absolute, kMaxRows))) {
    return std::nullopt;
  }
  if (Touches(area.kind, Shift::Axis::kColumns) &&
      !(MoveBound(moved.first_col, col_offset, move_absolute, kMaxColumns) &&
        MoveBound(moved.last_col, col_offset, move_absolute, kMaxColumns))) {
    return std::nullopt;
  }
  // A mixed reference ($A$5:A6 moved up) can cross itself; the spreadsheet keeps areas ordered.
  Order(moved.first_col, moved.last_col);
  Order(moved.first_row, moved.last_row);
  return moved;
}

}  // namespace korvanta::workbook
