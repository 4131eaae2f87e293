// The sheet's Excel tables under row and column operations: a table moves with its cells,
// grows over rows inserted inside it and over copies pasted against its data rows, takes
// inserted columns as new table columns, and keeps its header and one data row.
//
// Excel's rules followed here: rows inserted between a table's header and its last row
// become table rows, pushing the totals row down; rows inserted at the header row move the
// table. Pasting into the row directly below a table extends it ("include new rows and
// columns in table", on by default). Excel keeps a totals row that a paste overwrites; a
// report's samples pasted from the pattern row over it are data, so the table grows over them
// and its totals row is switched off instead. Columns inserted inside a
// table become table columns named "Column1", "Column2"... (the lowest free number). A table
// whose header row is deleted with its data no longer exists; deleting all data rows leaves
// the header and one data row, as Excel's table always has one.
#include <algorithm>
#include <string>

#include "workbook/cell_area.h"
#include "workbook/opc.h"
#include "workbook/part_handlers.h"
#include "workbook/sheet_shift.h"
#include "workbook/table_parts.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

struct TableRows {
  int headers = 1;
  int totals = 0;
};

TableRows RowsOf(pugi::xml_node table) {
  return {std::max(0, table.attribute("headerRowCount").as_int(1)),
          std::max(0, table.attribute("totalsRowCount").as_int(0))};
}

// A totals row pasted over holds samples now: the table shows no totals row, as Excel writes
// a table whose total row is switched off (its columns keep their totals functions, to come
// back when it is switched on again).
void HideTotalsRow(pugi::xml_node table) {
  table.remove_attribute("totalsRowCount");
  pugi::xml_attribute shown = table.attribute("totalsRowShown");
  if (!shown) shown = table.append_attribute("totalsRowShown");
  shown = "0";
}

// The table's range and its filter, which covers the range without the totals row.
void SetTableArea(pugi::xml_node table, const CellArea& area) {
  table.attribute("ref") = area.ToString().c_str();
  pugi::xml_node filter = FirstChild(table, "autoFilter");
  if (!filter) return;
  CellArea filtered = area;
  filtered.last_row = std::max(area.first_row, area.last_row - RowsOf(table).totals);
  filter.attribute("ref") = filtered.ToString().c_str();
}

void AdjustFormulas(pugi::xml_node table, std::string_view sheet_name, const Shift& shift) {
  for (pugi::xml_node column : ChildrenNamed(FirstChild(table, "tableColumns"), "tableColumn")) {
    for (const char* name : {"calculatedColumnFormula", "totalsRowFormula"}) {
      if (pugi::xml_node formula = FirstChild(column, name)) {
        AdjustFormulaElement(formula, sheet_name, sheet_name, shift);
      }
    }
  }
}

// Columns inserted inside the table become table columns where the insertion was; filter
// columns right of it keep their columns.
void InsertTableColumns(pugi::xml_node table, int position, int added) {
  pugi::xml_node columns = FirstChild(table, "tableColumns");
  if (!columns) return;
  std::vector<pugi::xml_node> existing = ChildrenNamed(columns, "tableColumn");
  std::vector<std::string> names;
  unsigned next_id = 1;
  for (pugi::xml_node column : existing) {
    names.emplace_back(column.attribute("name").value());
    next_id = std::max(next_id, column.attribute("id").as_uint() + 1);
  }
  const auto at = static_cast<std::size_t>(position);
  pugi::xml_node before = at < existing.size() ? existing[at] : pugi::xml_node();
  const std::string element = SameNamespaceName(columns, "tableColumn");
  for (int i = 0; i < added; ++i) {
    pugi::xml_node column = before ? columns.insert_child_before(element.c_str(), before)
                                   : columns.append_child(element.c_str());
    const std::string name = UniqueColumnName("", names);
    names.push_back(name);
    column.append_attribute("id") = next_id++;
    column.append_attribute("name") = name.c_str();
  }
  if (pugi::xml_attribute count = columns.attribute("count")) {
    count = static_cast<unsigned>(existing.size()) + static_cast<unsigned>(added);
  }
  for (pugi::xml_node filter : ChildrenNamed(FirstChild(table, "autoFilter"), "filterColumn")) {
    pugi::xml_attribute id = filter.attribute("colId");
    if (id && id.as_int() >= position) id = id.as_int() + added;
  }
}

// False when the table loses its header row and so ceases to be.
bool ShiftTable(pugi::xml_node table, std::string_view sheet_name, const Shift& shift) {
  const auto before = CellArea::Parse(table.attribute("ref").value());
  if (!before) return true;
  const TableRows rows = RowsOf(table);
  auto after = ShiftMergedArea(*before, shift);
  if (!after) return false;
  if (IsRows(shift) && shift.count < 0 && rows.headers > 0 &&
      !ShiftedIndex(before->first_row, shift)) {
    return false;
  }
  const int least = rows.headers + rows.totals + 1;
  if (after->last_row - after->first_row + 1 < least) {
    after->last_row = std::min(after->first_row + least - 1, kMaxRows);
  }
  SetTableArea(table, *after);
  for (pugi::xml_node sort : ChildrenNamed(table, "sortState")) {
    if (const auto area = AdjustAreaForShift(sort.attribute("ref").value(), shift)) {
      sort.attribute("ref") = area->c_str();
    }
  }
  AdjustFormulas(table, sheet_name, shift);
  const int added = (after->last_col - after->first_col) - (before->last_col - before->first_col);
  if (!IsRows(shift) && added > 0) InsertTableColumns(table, shift.at - before->first_col, added);
  return true;
}

// Whether the shift can change the table: it lies at or beyond the shift.
bool Reaches(pugi::xml_node table, const Shift& shift) {
  const auto area = CellArea::Parse(table.attribute("ref").value());
  return area && (IsRows(shift) ? area->last_row : area->last_col) >= shift.at;
}

void RemoveTable(Package& package, pugi::xml_node worksheet, std::string_view sheet_part,
                 const Relationship& relationship) {
  pugi::xml_node parts = FirstChild(worksheet, "tableParts");
  for (pugi::xml_node part : ChildrenNamed(parts, "tablePart")) {
    if (FindAttribute(part, "id", true).value() == relationship.id) parts.remove_child(part);
  }
  const std::size_t left = ChildrenNamed(parts, "tablePart").size();
  if (left == 0) {
    worksheet.remove_child(parts);
  } else if (pugi::xml_attribute count = parts.attribute("count")) {
    count = static_cast<unsigned>(left);
  }
  pugi::xml_node list = package.Xml(RelationshipsPartName(sheet_part)).document_element();
  for (pugi::xml_node entry : ChildrenNamed(list, "Relationship")) {
    if (relationship.id == entry.attribute("Id").value()) list.remove_child(entry);
  }
  package.Remove(relationship.target);
  RemoveContentTypeOverride(package, relationship.target);
}

}  // namespace

void ShiftTables(const SheetEdit& edit, const Shift& shift) {
  for (const Relationship& relationship : RelatedParts(edit.package, edit.part, "table")) {
    const pugi::xml_node read = edit.package.ParsedXml(relationship.target).document_element();
    if (!Reaches(read, shift)) continue;
    if (!ShiftTable(edit.package.Xml(relationship.target).document_element(), edit.name, shift)) {
      RemoveTable(edit.package, edit.worksheet, edit.part, relationship);
    }
  }
  edit.table_headers = ReadTableHeaders(edit.package, edit.part);
}

// A table whose data rows hold the source rows grows over copies pasted directly below or
// above its data rows; its filter follows.
void PasteTables(const SheetEdit& edit, const Paste& paste, const CopiedBlock&) {
  const RowSpan source = paste.Standing();
  const RowSpan pasted = paste.Pasted();
  Package& package = edit.package;
  for (const Relationship& relationship : RelatedParts(package, edit.part, "table")) {
    const pugi::xml_node read = package.ParsedXml(relationship.target).document_element();
    auto area = CellArea::Parse(read.attribute("ref").value());
    if (!area) continue;
    const TableRows rows = RowsOf(read);
    const int data_first = area->first_row + rows.headers;
    const int data_last = area->last_row - rows.totals;
    if (source.first < data_first || source.last > data_last) continue;
    if (pasted.first == data_last + 1 && pasted.last >= area->last_row) {
      area->last_row = pasted.last;
      if (rows.totals > 0) HideTotalsRow(package.Xml(relationship.target).document_element());
    } else if (rows.headers == 0 && pasted.last + 1 == data_first) {
      area->first_row = pasted.first;
    } else {
      continue;
    }
    SetTableArea(package.Xml(relationship.target).document_element(), *area);
  }
  edit.table_headers = ReadTableHeaders(package, edit.part);
}

}  // namespace korvanta::workbook
