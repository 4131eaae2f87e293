// The cells of the edited sheet: rows in order, each with its attributes and its cells in
// column order, read from and written back to the sheet's <sheetData>.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvanta::workbook {

using XmlAttributes = std::vector<std::pair<std::string, std::string>>;

std::string_view FindValue(const XmlAttributes& attributes, std::string_view name);
void SetValue(XmlAttributes& attributes, std::string_view name, std::string value);
void EraseValue(XmlAttributes& attributes, std::string_view name);

enum class CellType : std::uint8_t {
  kNumber,        // t="n" or none
  kSharedString,  // t="s": the value is the index
  kFormulaText,   // t="str"
  kBoolean,       // t="b"
  kError,         // t="e"
  kInlineString,  // t="inlineStr": the <is> element is kept verbatim
  kDate,          // t="d"
};

struct CellFormula {
  std::string text;          // without '='; shared formulas are expanded on load
  XmlAttributes attributes;  // t="array", ref, ca, aca, ...
};

// The parts of a cell most cells do not have.
struct CellDetail {
  std::optional<CellFormula> formula;
  std::string inline_xml;    // children other than <f> and <v>, verbatim (<is>, <extLst>)
  XmlAttributes attributes;  // attributes other than r, s and t (cm, vm, ph)
};

struct Cell {
  int col = 0;
  std::uint32_t style = 0;
  CellType type = CellType::kNumber;
  std::string value;  // the <v> text
  std::unique_ptr<CellDetail> detail;

  Cell() = default;
  Cell(const Cell& other);
  Cell& operator=(const Cell& other);
  Cell(Cell&&) noexcept = default;
  Cell& operator=(Cell&&) noexcept = default;
  ~Cell() = default;

  const CellFormula* Formula() const;
  CellFormula* Formula();
  CellDetail& Detail();
  // Removes value, formula and inline text; the style stays.
  void ClearContent();
  bool IsBlank() const;  // holds nothing but a style
};

struct Row {
  int number = 0;
  // Everything but r and spans (ht, customHeight, hidden, s, customFormat, outlineLevel ...),
  // shared between pasted copies of a row.
  std::shared_ptr<const XmlAttributes> attributes;
  std::vector<Cell> cells;  // ascending columns

  Cell* Find(int col);
  const Cell* Find(int col) const;
  Cell& Obtain(int col);  // inserted empty (unstyled) when missing
  // The row's own style when it carries one (customFormat).
  std::optional<std::uint32_t> Style() const;
};

class SheetRows {
 public:
  std::vector<Row>& rows() { return rows_; }
  const std::vector<Row>& rows() const { return rows_; }

  Row* Find(int row);
  const Row* Find(int row) const;
  Row& Obtain(int row);  // inserted without attributes when missing
  // The rows first..last (any of them may be absent), as positions into rows().
  std::pair<std::size_t, std::size_t> Range(int first, int last) const;

  // Reads <sheetData>; shared formulas become plain formulas of their cells.
  void Read(pugi::xml_node sheet_data, std::string_view workbook_name, std::string_view part_name);
  // The content of <sheetData>, element names carrying `prefix` ("x:" or "").
  void Write(std::string& out, std::string_view prefix) const;

  // Highest row and column with a cell; 0 when there is none.
  int LastRow() const;
  int LastColumn() const;
  // "A1:E20" over every cell; "A1" for an empty sheet.
  std::string Dimension() const;

 private:
  std::vector<Row> rows_;  // ascending row numbers
};

}  // namespace korvanta::workbook
