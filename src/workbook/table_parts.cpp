// Table headers and column names. Excel keeps a table's column names equal to the text of its
// header cells and unique in the table, comparing regardless of case; a table part that
// disagrees with its header cells, or names two columns alike, is "repaired" on open by
// dropping the table. Typing a name another column has gives it the lowest free number
// ("Name2"); a cleared header and an inserted column get "Column1", "Column2"...
#include "workbook/table_parts.h"

#include <algorithm>

#include "workbook/cell_area.h"
#include "workbook/opc.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::vector<pugi::xml_node> ColumnsOf(pugi::xml_node table) {
  std::vector<pugi::xml_node> columns;
  for (pugi::xml_node column : FirstChild(table, "tableColumns").children()) {
    if (LocalName(column) == "tableColumn") columns.push_back(column);
  }
  return columns;
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
  for (const Relationship& relationship : ReadRelationships(package, sheet_part)) {
    if (relationship.external || !HasRelationshipKind(relationship.type, "table") ||
        !package.Contains(relationship.target)) {
      continue;
    }
    const pugi::xml_node table = package.ParsedXml(relationship.target).document_element();
    const auto area = CellArea::Parse(table.attribute("ref").value());
    if (!area || table.attribute("headerRowCount").as_int(1) == 0) continue;
    headers.push_back({relationship.target, area->first_row, area->first_col, area->last_col});
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

std::string NameTableColumn(Package& package, const TableHeader& header, int col,
                            std::string_view text) {
  const std::vector<std::string> names = TableColumnNames(package, header);
  const auto index = static_cast<std::size_t>(col - header.first_col);
  if (index >= names.size()) return std::string(text);
  if (names[index] == text && !text.empty()) return names[index];
  std::vector<std::string> others = names;
  others.erase(others.begin() + static_cast<std::ptrdiff_t>(index));
  const std::string name = UniqueColumnName(text, others);
  if (name != names[index]) {
    pugi::xml_node column = ColumnsOf(package.Xml(header.part).document_element())[index];
    pugi::xml_attribute attribute = column.attribute("name");
    if (!attribute) attribute = column.append_attribute("name");
    attribute = name.c_str();
  }
  return name;
}

}  // namespace korvanta::workbook
