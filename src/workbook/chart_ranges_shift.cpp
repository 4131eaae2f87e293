// The ranges of the charts that name the edited sheet (<c:f>): they move with a shift, and
// copied rows join the series of the rows they copy.
#include "workbook/book_structure.h"
#include "workbook/opc.h"
#include "workbook/part_handlers.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// The reference formulas of every chart that may name the sheet.
std::vector<pugi::xml_node> ChartFormulas(Package& package, std::string_view sheet_name) {
  std::vector<pugi::xml_node> formulas;
  for (const std::string& part : package.PartNames()) {
    if (!part.ends_with(".xml") || ContentTypeOf(package, part) != kChartContentType) continue;
    if (!PartMayName(package, part, sheet_name)) continue;
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

}  // namespace

void ShiftCharts(const SheetEdit& edit, const Shift& shift) {
  for (pugi::xml_node formula : ChartFormulas(edit.package, edit.name)) {
    SetChartFormula(formula, AdjustFormulaForShift(formula.text().get(), "", edit.name, shift));
  }
}

// Copied rows join the chart series of the rows they copy: a chart range on the sheet that
// covers rows of the source grows over the copies where they adjoin it, so that a series
// naming a table's pattern row covers the table the copies make. (The spreadsheet's own
// paste and insert leave chart ranges alone; a template's chart could not follow its growing
// table otherwise.)
void PasteCharts(const SheetEdit& edit, const Paste& paste, const CopiedBlock&) {
  for (pugi::xml_node formula : ChartFormulas(edit.package, edit.name)) {
    SetChartFormula(formula, GrowFormulaOverCopies(formula.text().get(), "", edit.name,
                                                   paste.Standing(), paste.Pasted()));
  }
}

}  // namespace korvanta::workbook
