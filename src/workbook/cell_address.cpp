#include "workbook/cell_address.h"

#include <algorithm>

namespace korvanta::workbook {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view WithoutDollar(std::string_view text) {
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  return text;
}

// "first:last" with its only colon between two ends that `parse_end` reads (each may carry a
// "$"), the first not after the last.
template <typename Span>
std::optional<Span> ParseSpan(std::string_view text,
                              std::optional<int> (*parse_end)(std::string_view)) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  const auto first = parse_end(WithoutDollar(text.substr(0, colon)));
  const auto last = parse_end(WithoutDollar(text.substr(colon + 1)));
  if (!first || !last || *first > *last) return std::nullopt;
  return Span{*first, *last};
}

}  // namespace

std::string ColumnName(int one_based) {
  std::string name;
  for (int rest = one_based; rest > 0; rest = (rest - 1) / 26) {
    name.push_back(static_cast<char>('A' + (rest - 1) % 26));
  }
  std::reverse(name.begin(), name.end());
  return name;
}

std::optional<int> ParseColumnName(std::string_view letters) {
  // Three letters reach XFD; more would only overflow on the way to being rejected.
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int index = 0;
  for (const char c : letters) {
    if (!IsAsciiLetter(c)) return std::nullopt;
    const char upper = c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    index = index * 26 + (upper - 'A' + 1);
  }
  if (index > kMaxColumns) return std::nullopt;
  return index;
}

std::optional<int> ParseRowNumber(std::string_view digits) {
  // Seven digits reach 1048576; a leading zero is not how the spreadsheet writes a row.
  if (digits.empty() || digits.size() > 7 || digits.front() == '0') return std::nullopt;
  int row = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    row = row * 10 + (c - '0');
  }
  if (row > kMaxRows) return std::nullopt;
  return row;
}

std::string CellAddress(CellRef ref) { return ColumnName(ref.col) + std::to_string(ref.row); }

std::optional<CellRef> ParseCellAddress(std::string_view text) {
  text = WithoutDollar(text);
  const auto letters_end = std::find_if_not(text.begin(), text.end(), IsAsciiLetter) - text.begin();
  const auto col = ParseColumnName(text.substr(0, letters_end));
  const auto row = ParseRowNumber(WithoutDollar(text.substr(letters_end)));
  if (!col || !row) return std::nullopt;
  return CellRef{*col, *row};
}

std::optional<RowSpan> ParseRowSpan(std::string_view text) {
  return ParseSpan<RowSpan>(text, ParseRowNumber);
}

std::optional<ColSpan> ParseColSpan(std::string_view text) {
  return ParseSpan<ColSpan>(text, ParseColumnName);
}

}  // namespace korvanta::workbook
