// Cell addresses and whole-row / whole-column spans in the spreadsheet's A1 notation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::workbook {

inline constexpr int kMaxColumns = 16384;  // XFD
inline constexpr int kMaxRows = 1048576;

// A 1-based column. Built from a letter ('B') the way report writers name columns, and
// advanced past Z by arithmetic (Col('C') + 30 is AG).
struct Col {
  int index = 1;

  constexpr Col(char letter) : index(letter - 'A' + 1) {}  // NOLINT: implicit by design
  static constexpr Col FromIndex(int one_based) {
    Col c('A');
    c.index = one_based;
    return c;
  }
  friend constexpr Col operator+(Col c, int n) { return FromIndex(c.index + n); }
  friend constexpr bool operator==(Col, Col) = default;
};

struct CellRef {
  int col = 1;  // 1-based
  int row = 1;  // 1-based
  friend constexpr bool operator==(CellRef, CellRef) = default;
};

// Inclusive span of whole rows ("13:13", "20:25") or whole columns ("D:D").
struct RowSpan {
  int first = 1;
  int last = 1;
  int Count() const { return last - first + 1; }
};
struct ColSpan {
  int first = 1;
  int last = 1;
  int Count() const { return last - first + 1; }
};

std::string ColumnName(int one_based);                           // 1 -> "A", 28 -> "AB"
std::optional<int> ParseColumnName(std::string_view letters);    // "AB" -> 28; case-insensitive
std::optional<int> ParseRowNumber(std::string_view digits);      // "17" -> 17; in sheet limits
std::string CellAddress(CellRef ref);                            // {2, 7} -> "B7"
std::optional<CellRef> ParseCellAddress(std::string_view text);  // "B7", "$B$7"; in sheet limits
std::optional<RowSpan> ParseRowSpan(std::string_view text);      // "13:13", "20:25"
std::optional<ColSpan> ParseColSpan(std::string_view text);      // "D:D", "C:E"

}  // namespace korvanta::workbook
