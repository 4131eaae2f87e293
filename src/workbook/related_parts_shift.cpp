// Parts outside the sheet that name its cells: the sheet's drawing, notes and tables, every
// chart, the formulas of the other sheets and the workbook's defined names; and the chart
// ranges that copied rows join.
#include <algorithm>
#include <string>

#include "workbook/cell_address.h"
#include "workbook/opc.h"
#include "workbook/shared_formulas.h"
#include "workbook/sheet_shift.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// Whether a part may name the sheet: the longest stretch of its name that XML and formulas
// write unchanged must appear in it. Parts already opened for editing are always looked at.
bool MayReferToSheet(const Package& package, std::string_view part, std::string_view sheet_name) {
  std::string_view plain = sheet_name;
  for (const char special : {'\'', '&', '<', '>', '"'}) {
    plain = plain.substr(0, std::min(plain.size(), plain.find(special)));
  }
  if (plain.empty() || package.IsEdited(part)) return true;
  return ContainsIgnoreCase(package.Read(part), plain);
}

void AdjustFormulaElement(pugi::xml_node element, std::string_view formula_sheet,
                          std::string_view sheet_name, const Shift& shift) {
  const std::string_view text = element.text().get();
  if (text.empty()) return;
  const std::string adjusted = AdjustFormulaForShift(text, formula_sheet, sheet_name, shift);
  if (adjusted != text) element.text().set(adjusted.c_str());
}

void ShiftComments(pugi::xml_node comments, const Shift& shift, std::string_view item) {
  for (pugi::xml_node comment : DescendantsNamed(comments, item)) {
    pugi::xml_attribute ref = comment.attribute("ref");
    if (!ref) continue;
    if (const auto moved = AdjustAreaForShift(ref.value(), shift)) {
      ref = moved->c_str();
    } else {
      comment.parent().remove_child(comment);
    }
  }
}

// A table's range, its filter and sort; columns inserted inside it become table columns.
void ShiftTable(pugi::xml_node table, const Shift& shift) {
  pugi::xml_attribute ref = table.attribute("ref");
  const auto before = CellArea::Parse(ref.value());
  const auto moved = AdjustAreaForShift(ref.value(), shift);
  if (!before || !moved) return;
  ref = moved->c_str();
  for (const char* name : {"autoFilter", "sortState"}) {
    for (pugi::xml_node element : DescendantsNamed(table, name)) {
      if (pugi::xml_attribute area = element.attribute("ref")) {
        if (const auto adjusted = AdjustAreaForShift(area.value(), shift)) area = adjusted->c_str();
      }
    }
  }
  const auto after = CellArea::Parse(*moved);
  pugi::xml_node columns = FirstChild(table, "tableColumns");
  if (!after || !columns || shift.axis != Shift::Axis::kColumns || shift.count <= 0) return;
  const int added = (after->last_col - after->first_col) - (before->last_col - before->first_col);
  if (added <= 0) return;
  // The new columns sit where the insertion was, inside the table.
  std::vector<pugi::xml_node> existing;
  unsigned next_id = 1;
  for (pugi::xml_node column : columns.children()) {
    if (LocalName(column) != "tableColumn") continue;
    existing.push_back(column);
    next_id = std::max(next_id, column.attribute("id").as_uint() + 1);
  }
  const std::size_t position = static_cast<std::size_t>(shift.at - before->first_col);
  pugi::xml_node before_node = position < existing.size() ? existing[position] : pugi::xml_node();
  for (int i = 0; i < added; ++i) {
    const std::string name = SameNamespaceName(columns, "tableColumn");
    pugi::xml_node column = before_node ? columns.insert_child_before(name.c_str(), before_node)
                                        : columns.append_child(name.c_str());
    column.append_attribute("id") = next_id;
    column.append_attribute("name") = ("Column" + std::to_string(next_id)).c_str();
    ++next_id;
  }
  if (pugi::xml_attribute count = columns.attribute("count")) {
    count = static_cast<unsigned>(existing.size()) + static_cast<unsigned>(added);
  }
}

void ShiftSheetParts(Package& package, std::string_view sheet_part, const Shift& shift) {
  for (const Relationship& relationship : ReadRelationships(package, sheet_part)) {
    if (relationship.external || !package.Contains(relationship.target)) continue;
    const std::string& target = relationship.target;
    if (HasRelationshipKind(relationship.type, "drawing")) {
      ShiftDrawingAnchors(package.Xml(target).document_element(), shift);
    } else if (HasRelationshipKind(relationship.type, "comments")) {
      ShiftComments(package.Xml(target).document_element(), shift, "comment");
    } else if (HasRelationshipKind(relationship.type, "threadedComment")) {
      ShiftComments(package.Xml(target).document_element(), shift, "threadedComment");
    } else if (HasRelationshipKind(relationship.type, "table")) {
      ShiftTable(package.Xml(target).document_element(), shift);
    } else if (HasRelationshipKind(relationship.type, "vmlDrawing")) {
      // Legacy drawings are often not well-formed XML; such a part keeps its anchors.
      pugi::xml_document vml;
      const std::string bytes = package.Read(target);
      if (!vml.load_buffer(bytes.data(), bytes.size(), pugi::parse_full | pugi::parse_ws_pcdata)) {
        continue;
      }
      const std::string before = SerializeXml(vml);
      ShiftVmlAnchors(vml.document_element(), shift);
      std::string after = SerializeXml(vml);
      if (after != before) package.Write(target, std::move(after));
    }
  }
}

// The reference formulas (<c:f>) of every chart that may name the sheet.
std::vector<pugi::xml_node> ChartFormulas(Package& package, std::string_view sheet_name) {
  std::vector<pugi::xml_node> formulas;
  for (const std::string& part : package.PartNames()) {
    if (!part.ends_with(".xml") || ContentTypeOf(package, part) != kChartContentType) continue;
    if (!MayReferToSheet(package, part, sheet_name)) continue;
    for (pugi::xml_node formula : DescendantsNamed(package.Xml(part).document_element(), "f")) {
      formulas.push_back(formula);
    }
  }
  return formulas;
}

// A chart range rewritten. The numbers cached beside it describe the old range, so they go:
// readers then take the values from the cells (a cell-linked title keeps its text, which
// some readers show instead of the cell's).
void SetChartFormula(pugi::xml_node formula, const std::string& text) {
  if (text == formula.text().get()) return;
  formula.text().set(text.c_str());
  if (pugi::xml_node cache = FirstChild(formula.parent(), "numCache")) {
    formula.parent().remove_child(cache);
  }
}

void ShiftCharts(Package& package, std::string_view sheet_name, const Shift& shift) {
  for (pugi::xml_node formula : ChartFormulas(package, sheet_name)) {
    SetChartFormula(formula, AdjustFormulaForShift(formula.text().get(), "", sheet_name, shift));
  }
}

// A shared formula of another sheet cannot follow a shift that cuts through the cells it
// refers to, so the groups that name the sheet become plain formulas first.
void ExpandSharedFormulasNaming(pugi::xml_node worksheet, std::string_view sheet_name) {
  SharedFormulaGroups groups;
  std::vector<std::pair<pugi::xml_node, CellRef>> members;
  int row_number = 0;
  for (pugi::xml_node row : FirstChild(worksheet, "sheetData").children()) {
    if (LocalName(row) != "row") continue;
    row_number =
        row.attribute("r")
            ? static_cast<int>(std::clamp<long long>(row.attribute("r").as_llong(), 1, kMaxRows))
            : row_number + 1;
    int col = 0;
    for (pugi::xml_node cell : row.children()) {
      if (LocalName(cell) != "c") continue;
      const auto address = ParseCellAddress(cell.attribute("r").value());
      col = address ? address->col : col + 1;
      const pugi::xml_node formula = FirstChild(cell, "f");
      if (!formula || std::string_view(formula.attribute("t").value()) != "shared") continue;
      const CellRef at{col, row_number};
      members.emplace_back(formula, at);
      groups.Add(formula.attribute("si").value(), formula.text().get(), at);
    }
  }
  for (auto& [formula, at] : members) {
    const std::string_view group = formula.attribute("si").value();
    const std::string* anchor_text = groups.AnchorText(group);
    if (!anchor_text || !ContainsIgnoreCase(*anchor_text, sheet_name)) continue;
    if (std::string_view(formula.text().get()).empty()) {
      formula.text().set(groups.FormulaAt(group, at)->c_str());
    }
    formula.remove_attribute("t");
    formula.remove_attribute("si");
    formula.remove_attribute("ref");
  }
}

void ShiftOtherSheets(Package& package, const BookStructure& book, std::string_view sheet_part,
                      std::string_view sheet_name, const Shift& shift) {
  for (const SheetEntry& other : book.sheets) {
    if (other.part.empty() || EqualsIgnoreCase(other.part, sheet_part) ||
        !package.Contains(other.part) || !MayReferToSheet(package, other.part, sheet_name)) {
      continue;
    }
    const pugi::xml_node root = package.Xml(other.part).document_element();
    if (other.is_worksheet) ExpandSharedFormulasNaming(root, sheet_name);
    for (const char* name : {"f", "formula", "formula1", "formula2"}) {
      for (pugi::xml_node formula : DescendantsNamed(root, name)) {
        AdjustFormulaElement(formula, other.name, sheet_name, shift);
      }
    }
  }
}

void ShiftDefinedNames(Package& package, const BookStructure& book, std::string_view sheet_name,
                       const Shift& shift) {
  const pugi::xml_node root = package.Xml(book.workbook_part).document_element();
  for (pugi::xml_node name : FirstChild(root, "definedNames").children()) {
    if (LocalName(name) != "definedName") continue;
    // A name local to a sheet reads its unqualified references on that sheet.
    std::string_view owner;
    if (pugi::xml_attribute local = name.attribute("localSheetId")) {
      const unsigned index = local.as_uint();
      if (index < book.sheets.size()) owner = book.sheets[index].name;
    }
    AdjustFormulaElement(name, owner, sheet_name, shift);
  }
}

}  // namespace

void ForgetResultsReadingSheet(Package& package, const BookStructure& book,
                               std::string_view sheet_part, std::string_view sheet_name) {
  for (const SheetEntry& other : book.sheets) {
    if (!other.is_worksheet || EqualsIgnoreCase(other.part, sheet_part) ||
        !package.Contains(other.part) || !MayReferToSheet(package, other.part, sheet_name)) {
      continue;
    }
    const pugi::xml_node root = package.Xml(other.part).document_element();
    ExpandSharedFormulasNaming(root, sheet_name);
    for (pugi::xml_node formula : DescendantsNamed(FirstChild(root, "sheetData"), "f")) {
      if (!ContainsIgnoreCase(formula.text().get(), sheet_name)) continue;
      pugi::xml_node cell = formula.parent();
      if (pugi::xml_node value = FirstChild(cell, "v")) cell.remove_child(value);
      cell.remove_attribute("t");
    }
  }
}

void GrowChartRangesOverCopies(Package& package, std::string_view sheet_name, RowSpan source,
                               RowSpan copies) {
  for (pugi::xml_node formula : ChartFormulas(package, sheet_name)) {
    SetChartFormula(formula,
                    GrowFormulaOverCopies(formula.text().get(), "", sheet_name, source, copies));
  }
}

void ShiftRelatedParts(Package& package, const BookStructure& book, std::string_view sheet_part,
                       std::string_view sheet_name, const Shift& shift) {
  if (shift.count == 0) return;
  ShiftSheetParts(package, sheet_part, shift);
  ShiftCharts(package, sheet_name, shift);
  ShiftOtherSheets(package, book, sheet_part, sheet_name, shift);
  ShiftDefinedNames(package, book, sheet_name, shift);
}

}  // namespace korvanta::workbook
