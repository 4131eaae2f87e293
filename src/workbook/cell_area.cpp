#include "workbook/cell_area.h"

#include <algorithm>

#include "workbook/cell_address.h"

namespace korvanta::workbook {

std::optional<CellArea> CellArea::Parse(std::string_view text) {
  const auto colon = text.find(':');
  const auto first = ParseCellAddress(text.substr(0, colon));
  if (!first) return std::nullopt;
  auto last = first;
  if (colon != std::string_view::npos) {
    last = ParseCellAddress(text.substr(colon + 1));
    if (!last) return std::nullopt;
  }
  return CellArea{std::min(first->row, last->row), std::min(first->col, last->col),
                  std::max(first->row, last->row), std::max(first->col, last->col)};
}

std::string CellArea::ToString() const {
  std::string text = CellAddress({first_col, first_row});
  if (!IsSingleCell()) text += ":" + CellAddress({last_col, last_row});
  return text;
}

std::vector<CellArea> ParseAreaList(std::string_view list, std::vector<std::string>* others) {
  std::vector<CellArea> areas;
  std::size_t start = 0;
  while (start < list.size()) {
    const std::size_t end = std::min(list.find(' ', start), list.size());
    const std::string_view item = list.substr(start, end - start);
    if (!item.empty()) {
      if (const auto area = CellArea::Parse(item)) {
        areas.push_back(*area);
      } else if (others) {
        others->emplace_back(item);
      }
    }
    start = end + 1;
  }
  return areas;
}

std::string FormatAreaList(const std::vector<CellArea>& areas,
                           const std::vector<std::string>& others) {
  std::string list;
  for (const CellArea& area : areas) {
    if (!list.empty()) list += ' ';
    list += area.ToString();
  }
  for (const std::string& other : others) {
    if (!list.empty()) list += ' ';
    list += other;
  }
  return list;
}

void AddArea(std::vector<CellArea>& areas, const CellArea& area) {
  for (CellArea& existing : areas) {
    if (existing.first_col != area.first_col || existing.last_col != area.last_col) continue;
    if (area.first_row >= existing.first_row && area.first_row <= existing.last_row + 1) {
      existing.last_row = std::max(existing.last_row, area.last_row);
      return;
    }
  }
  areas.push_back(area);
}

std::optional<std::string> RepeatOverPastedRows(std::string_view list, int first, int last,
                                                int target_first, int copies) {
  std::vector<std::string> others;
  std::vector<CellArea> areas = ParseAreaList(list, &others);
  std::vector<CellArea> in_source;
  for (const CellArea& area : areas) {
    if (!area.TouchesRows(first, last)) continue;
    CellArea part = area;
    part.first_row = std::max(part.first_row, first);
    part.last_row = std::min(part.last_row, last);
    in_source.push_back(part);
  }
  if (in_source.empty()) return std::nullopt;
  const int height = last - first + 1;
  for (int copy = 0; copy < copies; ++copy) {
    const int offset = target_first + copy * height - first;
    for (const CellArea& part : in_source) AddArea(areas, part.Offset(offset, 0));
  }
  return FormatAreaList(areas, others);
}

}  // namespace korvanta::workbook
