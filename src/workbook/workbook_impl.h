// The engine's internals, shared by the sources of src/workbook (the chart builder adds its
// parts through them). Not for use outside the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/book_structure.h"
#include "workbook/cell_area.h"
#include "workbook/formula_refs.h"
#include "workbook/package.h"
#include "workbook/part_handlers.h"
#include "workbook/pasted_rows.h"
#include "workbook/shared_strings.h"
#include "workbook/sheet_rows.h"
#include "workbook/styles.h"
#include "workbook/table_parts.h"
#include "workbook/workbook.h"

namespace korvanta::workbook {

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
  std::vector<TableHeader> table_headers;  // kept current by the tables' handlers
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
  // Gives each empty header cell (an inserted table column's) its column's name.
  void FillTableHeaders();

  // What the handlers of each kind of content edit.
  SheetEdit Edit();
  // One structural change, applied to the cells and to everything that refers to them.
  void ApplyShift(const Shift& shift);

  // The rows of `span` as they stand.
  CopiedBlock BlockOf(RowSpan span) const;
  // Places the copies of `block`, the rows paste.source as they stood when copied. With rows
  // inserted for them they fill new rows; otherwise they replace what the target rows held.
  // Their formulas follow AdjustFormulaForRowCopy; every other kind of content follows them
  // through its paste handler.
  void PlaceCopies(const CopiedBlock& block, const Paste& paste);
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
