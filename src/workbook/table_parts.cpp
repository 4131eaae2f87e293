// Table headers and column names. Excel keeps a table's column names equal to the text of its
// header cells (strings, never numbers or formulas) and unique in the table, comparing
// regardless of case; a table part that disagrees with its header cells, or names two columns
// alike, is "repaired" on open by dropping the table (libxlsxwriter and openpyxl document the
// same constraint for the tables they write). Typing a name another column has gives it the
// lowest free number ("ID" -> "ID2"); a cleared header and an inserted column get "Column1",
// "Column2"... Renaming a column rewrites every structured reference to it.
#include "workbook/table_parts.h"

#include <algorithm>

#include "workbook/book_structure.h"
#include "workbook/cell_area.h"
#include "workbook/opc.h"
#include "workbook/structured_refs.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::vector<pugi::xml_node> ColumnsOf(pugi::xml_node table) {
  return ChildrenNamed(FirstChild(table, "tableColumns"), "tableColumn");
}

bool IsTaken(std::string_view name, const std::vector<std::string>& taken) {
  return std::any_of(taken.begin(), taken.end(),
                     [&](const std::string& other) { return EqualsIgnoreCase(other, name); });
}

}  // namespace

std::string UniqueColumnName(std::string_view wanted, const std::vector<std::string>& taken) {
  if (!wanted.empty() && !IsTaken(wanted, taken)) return std::string(wanted);
  const std::string stem = wanted.empty() ? std::string("Column") : std::string(wanted);
  for (int number = wanted.empty() ? 1 : 2;; ++number) {
    std::string candidate = stem + std::to_string(number);
    if (!IsTaken(candidate, taken)) return candidate;
  }
}

std::vector<TableHeader> ReadTableHeaders(Package& package, std::string_view sheet_part) {
  std::vector<TableHeader> headers;
  for (const Relationship& relationship : RelatedParts(package, sheet_part, "table")) {
    const pugi::xml_node table = package.ParsedXml(relationship.target).document_element();
    const auto area = CellArea::Parse(table.attribute("ref").value());
    if (!area || table.attribute("headerRowCount").as_int(1) == 0) continue;
    headers.push_back({relationship.target, table.attribute("displayName").value(), area->first_row,
                       area->first_col, area->last_col, area->last_row});
  }
  return headers;
}

std::vector<std::string> TableColumnNames(Package& package, const TableHeader& header) {
  std::vector<std::string> names;
  for (pugi::xml_node column : ColumnsOf(package.ParsedXml(header.part).document_element())) {
    names.emplace_back(column.attribute("name").value());
  }
  return names;
}

ColumnRename NameTableColumn(Package& package, const TableHeader& header, int col,
                             std::string_view text) {
  const std::vector<std::string> names = TableColumnNames(package, header);
  const auto index = static_cast<std::size_t>(col - header.first_col);
  if (index >= names.size()) return {std::string(text), std::string(text)};
  ColumnRename name{names[index], names[index]};
  if (names[index] == text && !text.empty()) return name;
  std::vector<std::string> others = names;
  others.erase(others.begin() + static_cast<std::ptrdiff_t>(index));
  name.after = UniqueColumnName(text, others);
  if (name.after == name.before) return name;
  const pugi::xml_node table = package.Xml(header.part).document_element();
  pugi::xml_node column = ColumnsOf(table)[index];
  pugi::xml_attribute attribute = column.attribute("name");
  if (!attribute) attribute = column.append_attribute("name");
  attribute = name.after.c_str();
  for (pugi::xml_node other : ColumnsOf(table)) {
    for (const char* formula_name : {"calculatedColumnFormula", "totalsRowFormula"}) {
      pugi::xml_node formula = FirstChild(other, formula_name);
      if (!formula) continue;
      const std::string renamed = RenameTableColumnInFormula(formula.text().get(), header.name,
                                                             name.before, name.after, true);
      formula.text().set(renamed.c_str());
    }
  }
  return name;
}

void RenameColumnOutsideSheet(Package& package, const BookStructure& book,
                              std::string_view sheet_part, const TableHeader& header,
                              const ColumnRename& name) {
  const auto rename = [&](pugi::xml_node formula) {
    const std::string_view text = formula.text().get();
    const std::string renamed =
        RenameTableColumnInFormula(text, header.name, name.before, name.after, false);
    if (renamed != text) formula.text().set(renamed.c_str());
  };
  for (const SheetEntry* other : OtherSheetsThatMayName(package, book, sheet_part, header.name)) {
    if (!other->is_worksheet) continue;
    for (pugi::xml_node formula :
         DescendantsNamed(package.Xml(other->part).document_element(), "f")) {
      rename(formula);
    }
  }
  if (!ContainsIgnoreCase(package.Read(book.workbook_part), header.name)) return;
  for (pugi::xml_node defined :
       FirstChild(package.Xml(book.workbook_part).document_element(), "definedNames").children()) {
    if (LocalName(defined) == "definedName") rename(defined);
  }
}

}  // namespace korvanta::workbook
