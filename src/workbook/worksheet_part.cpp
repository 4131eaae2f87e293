// Reading the active sheet's part into the model and writing it back.
#include <algorithm>

#include "workbook/sheet_schema.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::string_view PrefixOf(pugi::xml_node node) {
  const std::string_view name = node.name();
  const auto colon = name.find(':');
  return colon == std::string_view::npos ? std::string_view{} : name.substr(0, colon + 1);
}

void AppendStartTag(std::string& out, pugi::xml_node element) {
  out += '<';
  out += element.name();
  for (pugi::xml_attribute attribute : element.attributes()) {
    out += ' ';
    out += attribute.name();
    out += "=\"";
    AppendEscapedAttribute(out, attribute.value());
    out += '"';
  }
  out += '>';
}

void AppendEndTag(std::string& out, pugi::xml_node element) {
  out += "</";
  out += element.name();
  out += '>';
}

void RemoveChildren(pugi::xml_node node) {
  while (pugi::xml_node child = node.first_child()) node.remove_child(child);
}

}  // namespace

void Worksheet::Impl::Load() {
  ParseXml(xml, package->Read(part_name), package->DisplayName(), part_name);
  pugi::xml_node root = Root();
  if (LocalName(root) != "worksheet") {
    throw DamagedPart(package->DisplayName(), part_name,
                      "is no worksheet (it stands for the sheet \"" + name + "\").");
  }
  pugi::xml_node sheet_data = ChildInSchemaOrder(root, "sheetData", kWorksheetElementOrder);
  cells.Read(sheet_data, package->DisplayName(), part_name);
  RemoveChildren(sheet_data);

  pugi::xml_node merge_cells = ChildInSchemaOrder(root, "mergeCells", kWorksheetElementOrder);
  merges.clear();
  for (pugi::xml_node merge : merge_cells.children()) {
    if (LocalName(merge) != "mergeCell") continue;
    if (const auto area = CellArea::Parse(merge.attribute("ref").value())) {
      if (!area->IsSingleCell()) merges.push_back(*area);
    }
  }
  RemoveChildren(merge_cells);
  ChildInSchemaOrder(root, "dimension", kWorksheetElementOrder);
  table_headers = ReadTableHeaders(*package, part_name);
}

std::string Worksheet::Impl::Serialize() const {
  const pugi::xml_node root = Root();
  std::string out;
  out.reserve(std::size_t{256} + cells.rows().size() * 160);
  for (pugi::xml_node node : xml.children()) {
    if (node != root) {
      out += SerializeXml(node);
      continue;
    }
    AppendStartTag(out, root);
    for (pugi::xml_node child : root.children()) {
      const std::string_view local = child.type() == pugi::node_element ? LocalName(child) : "";
      if (local == "sheetData") {
        AppendStartTag(out, child);
        cells.Write(out, PrefixOf(child));
        AppendEndTag(out, child);
      } else if (local == "mergeCells") {
        if (merges.empty()) continue;
        const std::string merge_name = SameNamespaceName(child, "mergeCell");
        out += '<';
        out += child.name();
        out += " count=\"" + std::to_string(merges.size()) + "\">";
        for (const CellArea& merge : merges) {
          out += '<' + merge_name + " ref=\"" + merge.ToString() + "\"/>";
        }
        AppendEndTag(out, child);
      } else if (local == "dimension") {
        out += '<';
        out += child.name();
        out += " ref=\"" + cells.Dimension() + "\"/>";
      } else {
        out += SerializeXml(child);
      }
    }
    AppendEndTag(out, root);
  }
  return out;
}

SheetEdit Worksheet::Impl::Edit() {
  return {*package, *book, Root(), part_name, name, merges, table_headers};
}

std::uint32_t Worksheet::Impl::EffectiveStyle(CellRef ref) const {
  if (const Row* row = cells.Find(ref.row)) {
    if (const Cell* cell = row->Find(ref.col)) return cell->style;
    if (const auto style = row->Style()) return *style;
  }
  for (pugi::xml_node col : FirstChild(Root(), "cols").children()) {
    if (LocalName(col) != "col") continue;
    if (col.attribute("min").as_int() <= ref.col && ref.col <= col.attribute("max").as_int()) {
      return col.attribute("style").as_uint();
    }
  }
  return 0;
}

Cell& Worksheet::Impl::CellForWrite(CellRef ref) {
  Row& row = cells.Obtain(ref.row);
  if (Cell* existing = row.Find(ref.col)) return *existing;
  const std::uint32_t style = EffectiveStyle(ref);
  Cell& cell = row.Obtain(ref.col);
  cell.style = style;
  return cell;
}

}  // namespace korvanta::workbook
