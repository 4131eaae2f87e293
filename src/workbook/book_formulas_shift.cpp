// Formulas outside the edited sheet that name its cells: those of the other sheets and the
// workbook's defined names follow a shift, and results cached from its cells are forgotten.
#include <algorithm>
#include <string>

#include "workbook/cell_address.h"
#include "workbook/part_handlers.h"
#include "workbook/shared_formulas.h"
#include "workbook/sheet_shift.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

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

}  // namespace

void ForgetResultsReadingSheet(Package& package, const BookStructure& book,
                               std::string_view sheet_part, std::string_view sheet_name) {
  for (const SheetEntry* other : OtherSheetsThatMayName(package, book, sheet_part, sheet_name)) {
    if (!other->is_worksheet) continue;
    const pugi::xml_node root = package.Xml(other->part).document_element();
    ExpandSharedFormulasNaming(root, sheet_name);
    for (pugi::xml_node formula : DescendantsNamed(FirstChild(root, "sheetData"), "f")) {
      if (!ContainsIgnoreCase(formula.text().get(), sheet_name)) continue;
      pugi::xml_node cell = formula.parent();
      if (pugi::xml_node value = FirstChild(cell, "v")) cell.remove_child(value);
      cell.remove_attribute("t");
    }
  }
}

void ShiftOtherSheets(const SheetEdit& edit, const Shift& shift) {
  for (const SheetEntry* other :
       OtherSheetsThatMayName(edit.package, edit.book, edit.part, edit.name)) {
    const pugi::xml_node root = edit.package.Xml(other->part).document_element();
    if (other->is_worksheet) ExpandSharedFormulasNaming(root, edit.name);
    for (const char* name : {"f", "formula", "formula1", "formula2"}) {
      for (pugi::xml_node formula : DescendantsNamed(root, name)) {
        AdjustFormulaElement(formula, other->name, edit.name, shift);
      }
    }
  }
}

void ShiftDefinedNames(const SheetEdit& edit, const Shift& shift) {
  const pugi::xml_node root = edit.package.Xml(edit.book.workbook_part).document_element();
  for (pugi::xml_node name : FirstChild(root, "definedNames").children()) {
    if (LocalName(name) != "definedName") continue;
    // A name local to a sheet reads its unqualified references on that sheet.
    std::string_view owner;
    if (pugi::xml_attribute local = name.attribute("localSheetId")) {
      const unsigned index = local.as_uint();
      if (index < edit.book.sheets.size()) owner = edit.book.sheets[index].name;
    }
    AdjustFormulaElement(name, owner, edit.name, shift);
  }
}

}  // namespace korvanta::workbook
