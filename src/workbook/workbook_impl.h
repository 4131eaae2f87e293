// The engine's internals, shared by the sources of src/workbook (the chart builder adds its
// parts through them). Not for use outside the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"
#include "workbook/package.h"
#include "workbook/pasted_rows.h"
#include "workbook/shared_strings.h"
#include "workbook/sheet_rows.h"
#include "workbook/styles.h"
#include "workbook/table_parts.h"
#include "workbook/workbook.h"

namespace korvanta::workbook {

struct SheetEntry {
  std::string name;
  std::string part;  // empty when its relationship is missing
  bool is_worksheet = false;
};

// workbook.xml as the engine sees it: the sheets in tab order and the active one.
struct BookStructure {
  std::string workbook_part;  // "xl/workbook.xml"
  std::vector<SheetEntry> sheets;
  std::size_t active = 0;
};

// Rows taken for copying, numbered from 0, with the sparklines placed in them.
struct CopiedBlock {
  std::vector<Row> rows;
  std::vector<BlockSparkline> sparklines;
};

// The active sheet. Its part is held here, not in the package: on save <sheetData>,
// <mergeCells> and <dimension> are written from the model and every other element from `xml`.
struct Worksheet::Impl {
  Package* package = nullptr;
  SharedStrings* strings = nullptr;
  const Styles* styles = nullptr;
  const BookStructure* book = nullptr;

  std::string name;
  std::string part_name;
  pugi::xml_document xml;
  SheetRows cells;
  std::vector<CellArea> merges;
  std::vector<TableHeader> table_headers;
  // The structural changes applied so far, in order: the way back to the template's cells.
  std::vector<Shift> shifts;

  // Reads the part named by part_name.
  void Load();
  std::string Serialize() const;
  pugi::xml_node Root() const { return xml.document_element(); }

  // The style a cell has, or would get when written: its own, else its row's, else its
  // column's.
  std::uint32_t EffectiveStyle(CellRef ref) const;
  // The cell at `ref`, created with the style it inherits when missing.
  Cell& CellForWrite(CellRef ref);
  // Stores non-empty text (already safe for XML and within the cell limit) as a shared string.
  void StoreText(CellRef ref, std::string_view text);

  // Whether the cell names a column of one of the sheet's tables.
  bool IsTableHeader(CellRef ref) const;
  // The text a header cell shows after `text` is written to it: the name its table column
  // takes (unique in the table); `text` itself for other cells.
  std::string TableHeaderText(CellRef ref, std::string_view text);
  // Reads the tables' header rows again and gives each empty header cell (an inserted table
  // column's) its column's name.
  void FillTableHeaders();

  // One structural change, applied to the cells and to everything that refers to them.
  void ApplyShift(const Shift& shift);

  // The rows of `span` as they stand.
  CopiedBlock BlockOf(RowSpan span) const;
  // Places `copies` copies of `block`, the rows `source` as they stood when copied, one below
  // the other from target_first. `inserted` rows were inserted at source.first for them (they
  // fill new rows); otherwise they replace what the target rows held. Their formulas and
  // sparklines follow AdjustFormulaForRowCopy; the merged areas, conditional formats and
  // validations of the source rows are repeated over the copies, and the tables and pivot
  // sources that hold them grow over copies pasted next to them.
  void PlaceCopies(const CopiedBlock& block, RowSpan source, int target_first, int copies,
                   int inserted);
};

struct Workbook::Impl {
  Package package;
  BookStructure book;
  SharedStrings strings;
  Styles styles;
  Worksheet::Impl sheet_impl;
  Worksheet sheet{&sheet_impl};
};

}  // namespace korvanta::workbook
