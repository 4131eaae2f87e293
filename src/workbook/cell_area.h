// A rectangle of cells ("B3:D7"), as merged cells and range lists name them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::workbook {

struct CellArea {
  int first_row = 1;
  int first_col = 1;
  int last_row = 1;
  int last_col = 1;

  // "B3:D7" or "B3" (dollar signs allowed); nothing for whole rows or columns and other text.
  static std::optional<CellArea> Parse(std::string_view text);
  std::string ToString() const;  // "B3:D7", or "B3" for one cell

  bool IsSingleCell() const { return first_row == last_row && first_col == last_col; }
  bool WithinRows(int first, int last) const { return first_row >= first && last_row <= last; }
  bool TouchesRows(int first, int last) const { return last_row >= first && first_row <= last; }
  CellArea Offset(int rows, int cols) const {
    return {first_row + rows, first_col + cols, last_row + rows, last_col + cols};
  }
  friend bool operator==(const CellArea&, const CellArea&) = default;
};

// The areas of a space-separated list ("A1:B2 D4"); entries that are not cell areas are
// returned in `others` unchanged.
std::vector<CellArea> ParseAreaList(std::string_view list, std::vector<std::string>* others);
std::string FormatAreaList(const std::vector<CellArea>& areas,
                           const std::vector<std::string>& others);

// Adds `area` to `areas`, widening an area of the same columns that it continues downward, so
// that a rule extended over many pasted rows stays one area. The first area keeps its top-left
// cell, to which the rule's own formulas are relative.
void AddArea(std::vector<CellArea>& areas, const CellArea& area);

// A range list after rows first..last were pasted `copies` times from row target_first, one
// block below the other: the parts of its areas in those rows are repeated over the copies.
// Nothing when the list has no area in those rows.
std::optional<std::string> RepeatOverPastedRows(std::string_view list, int first, int last,
                                                int target_first, int copies);

}  // namespace korvanta::workbook
