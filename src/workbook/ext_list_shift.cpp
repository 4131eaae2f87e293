// The worksheet's Excel 2010 extensions in <extLst>: x14 conditional formats and validations
// (ranges in xm:sqref, formulas in xm:f) and sparklines (data in xm:f, cell in xm:sqref),
// moved by shifts and carried over pasted rows like their plain forms.
//
// A data bar or icon set that Excel 2010 extends is written twice: a plain cfRule holding an
// <x14:id> and the x14:cfRule of that id, each with the same range. Both halves go through
// the same range adjustment here and in the plain rules, so they stay twins.
#include <algorithm>
#include <string>

#include "workbook/cell_area.h"
#include "workbook/part_handlers.h"
#include "workbook/pasted_rows.h"
#include "workbook/sheet_shift.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::vector<pugi::xml_node> ExtensionElements(pugi::xml_node worksheet,
                                              std::string_view local_name) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node list : worksheet.children()) {
    if (LocalName(list) != "extLst") continue;
    for (pugi::xml_node element : DescendantsNamed(list, local_name)) found.push_back(element);
  }
  return found;
}

bool HasChildNamed(pugi::xml_node parent, std::string_view local_name) {
  return static_cast<bool>(FirstChild(parent, local_name));
}

// Removes `element` and then each ancestor up to the worksheet's <extLst> that is left
// without element children, so that no empty list the schema forbids remains.
void RemoveWithEmptyAncestors(pugi::xml_node element) {
  pugi::xml_node parent = element.parent();
  parent.remove_child(element);
  while (parent && LocalName(parent) != "worksheet") {
    bool empty = true;
    for (pugi::xml_node child : parent.children()) {
      if (child.type() == pugi::node_element) empty = false;
    }
    if (!empty) return;
    pugi::xml_node up = parent.parent();
    up.remove_child(parent);
    parent = up;
  }
}

void UpdateValidationCounts(pugi::xml_node worksheet) {
  for (pugi::xml_node list : ExtensionElements(worksheet, "dataValidations")) {
    if (pugi::xml_attribute count = list.attribute("count")) {
      unsigned left = 0;
      for (pugi::xml_node child : list.children()) left += LocalName(child) == "dataValidation";
      count = left;
    }
  }
}

// The rule, validation or sparkline that owns an xm:sqref, with what is left when it goes:
// a sparkline group without sparklines goes with it.
void RemoveOwner(pugi::xml_node sqref) {
  pugi::xml_node owner = sqref.parent();
  if (LocalName(owner) == "sparkline") {
    pugi::xml_node sparklines = owner.parent();
    sparklines.remove_child(owner);
    if (!HasChildNamed(sparklines, "sparkline")) RemoveWithEmptyAncestors(sparklines.parent());
    return;
  }
  RemoveWithEmptyAncestors(owner);
}

std::optional<CellRef> SparklinePlace(pugi::xml_node sparkline) {
  const auto area = CellArea::Parse(FirstChild(sparkline, "sqref").text().get());
  if (!area || !area->IsSingleCell()) return std::nullopt;
  return CellRef{area->first_col, area->first_row};
}

// The x14 conditional formats and validations of the source rows grow over the copies, as
// their plain twins do.
void ExtendRulesOverPaste(pugi::xml_node worksheet, RowSpan source, int target_first, int copies) {
  for (pugi::xml_node list : ExtensionElements(worksheet, "sqref")) {
    const std::string_view owner = LocalName(list.parent());
    if (owner != "conditionalFormatting" && owner != "dataValidation") continue;
    if (const auto extended = RepeatOverPastedRows(list.text().get(), source.first, source.last,
                                                   target_first, copies)) {
      list.text().set(extended->c_str());
    }
  }
}

// Pasting replaces what the target cells held, their sparklines included; each copy gets
// the copied sparklines in its own cells, reading data moved as the copied formulas' are.
void PlaceSparklineCopies(pugi::xml_node worksheet, std::string_view sheet_name,
                          const std::vector<BlockSparkline>& sparklines, const Paste& paste) {
  const RowSpan pasted = paste.Pasted();
  const int height = paste.Height();
  for (pugi::xml_node sparkline : ExtensionElements(worksheet, "sparkline")) {
    const bool copied =
        std::any_of(sparklines.begin(), sparklines.end(),
                    [&](const BlockSparkline& s) { return s.sparkline == sparkline; });
    const auto place = SparklinePlace(sparkline);
    if (!copied && place && place->row >= pasted.first && place->row <= pasted.last) {
      RemoveOwner(FirstChild(sparkline, "sqref"));
    }
  }
  for (const BlockSparkline& source : sparklines) {
    pugi::xml_node list = source.sparkline.parent();
    pugi::xml_node last = source.sparkline;
    for (int copy = 0; copy < paste.copies; ++copy) {
      const int row = pasted.first + copy * height + source.place.row;
      if (row > pasted.last) break;
      pugi::xml_node added = list.insert_copy_after(source.sparkline, last);
      last = added;
      FirstChild(added, "f")
          .text()
          .set(AdjustFormulaForRowCopy(source.data, sheet_name, paste.Copy(copy)).c_str());
      FirstChild(added, "sqref").text().set(CellAddress({source.place.col, row}).c_str());
    }
    // A source inside the pasted rows was replaced by its copies.
    const auto place = SparklinePlace(source.sparkline);
    if (place && place->row >= pasted.first && place->row <= pasted.last) {
      list.remove_child(source.sparkline);
    }
  }
}

}  // namespace

void ShiftExtensionList(const SheetEdit& edit, const Shift& shift) {
  const pugi::xml_node worksheet = edit.worksheet;
  for (pugi::xml_node formula : ExtensionElements(worksheet, "f")) {
    AdjustFormulaElement(formula, edit.name, edit.name, shift);
  }
  for (pugi::xml_node list : ExtensionElements(worksheet, "sqref")) {
    const std::string adjusted = AdjustAreaListForShift(list.text().get(), shift);
    if (adjusted.empty()) {
      RemoveOwner(list);
    } else {
      list.text().set(adjusted.c_str());
    }
  }
  UpdateValidationCounts(worksheet);
}

std::vector<BlockSparkline> SparklinesOfRows(pugi::xml_node worksheet, RowSpan rows) {
  std::vector<BlockSparkline> found;
  for (pugi::xml_node sparkline : ExtensionElements(worksheet, "sparkline")) {
    const auto place = SparklinePlace(sparkline);
    if (!place || place->row < rows.first || place->row > rows.last) continue;
    found.push_back({sparkline,
                     {place->col, place->row - rows.first},
                     FirstChild(sparkline, "f").text().get()});
  }
  return found;
}

void PasteExtensionList(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block) {
  const RowSpan source = paste.Standing();
  ExtendRulesOverPaste(edit.worksheet, source, paste.target_first, paste.copies);
  PlaceSparklineCopies(edit.worksheet, edit.name, block.sparklines, paste);
}

}  // namespace korvanta::workbook
