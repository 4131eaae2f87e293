// The worksheet's elements outside its cells, moved with the cells they name, and the rules
// that pasted rows carry.
#include <algorithm>
#include <string>

#include "workbook/cell_address.h"
#include "workbook/part_handlers.h"
#include "workbook/sheet_rows.h"
#include "workbook/sheet_shift.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// A range-list attribute adjusted; false when no area is left of it.
bool AdjustAreaListAttribute(pugi::xml_node element, const char* attribute, const Shift& shift) {
  pugi::xml_attribute list = element.attribute(attribute);
  if (!list) return true;
  const std::string adjusted = AdjustAreaListForShift(list.value(), shift);
  if (adjusted.empty()) return false;
  list = adjusted.c_str();
  return true;
}

bool AdjustAreaAttribute(pugi::xml_node element, const char* attribute, const Shift& shift) {
  pugi::xml_attribute area = element.attribute(attribute);
  if (!area) return true;
  const auto adjusted = AdjustAreaForShift(area.value(), shift);
  if (!adjusted) return false;
  area = adjusted->c_str();
  return true;
}

void UpdateCount(pugi::xml_node parent, std::size_t count) {
  if (pugi::xml_attribute attribute = parent.attribute("count")) {
    attribute = static_cast<unsigned>(count);
  }
}

void ShiftConditionalFormats(pugi::xml_node worksheet, std::string_view sheet_name,
                             const Shift& shift) {
  for (pugi::xml_node format : ChildrenNamed(worksheet, "conditionalFormatting")) {
    if (!AdjustAreaListAttribute(format, "sqref", shift)) {
      worksheet.remove_child(format);
      continue;
    }
    for (pugi::xml_node rule : ChildrenNamed(format, "cfRule")) {
      for (pugi::xml_node formula : ChildrenNamed(rule, "formula")) {
        AdjustFormulaElement(formula, sheet_name, sheet_name, shift);
      }
    }
  }
}

void ShiftValidations(pugi::xml_node worksheet, std::string_view sheet_name, const Shift& shift) {
  for (pugi::xml_node list : ChildrenNamed(worksheet, "dataValidations")) {
    for (pugi::xml_node validation : ChildrenNamed(list, "dataValidation")) {
      if (!AdjustAreaListAttribute(validation, "sqref", shift)) {
        list.remove_child(validation);
        continue;
      }
      for (const char* name : {"formula1", "formula2"}) {
        for (pugi::xml_node formula : ChildrenNamed(validation, name)) {
          AdjustFormulaElement(formula, sheet_name, sheet_name, shift);
        }
      }
    }
    const std::size_t left = ChildrenNamed(list, "dataValidation").size();
    if (left == 0) {
      worksheet.remove_child(list);
    } else {
      UpdateCount(list, left);
    }
  }
}

void ShiftHyperlinks(pugi::xml_node worksheet, std::string_view sheet_name, const Shift& shift) {
  for (pugi::xml_node list : ChildrenNamed(worksheet, "hyperlinks")) {
    for (pugi::xml_node link : ChildrenNamed(list, "hyperlink")) {
      if (!AdjustAreaAttribute(link, "ref", shift)) {
        list.remove_child(link);
        continue;
      }
      if (pugi::xml_attribute location = link.attribute("location")) {
        location = AdjustFormulaForShift(location.value(), sheet_name, sheet_name, shift).c_str();
      }
    }
    if (ChildrenNamed(list, "hyperlink").empty()) worksheet.remove_child(list);
  }
}

// Filters and sorts lose their meaning with their range; the element goes with it.
void ShiftRangeElements(pugi::xml_node worksheet, const Shift& shift) {
  for (const char* name : {"autoFilter", "sortState"}) {
    for (pugi::xml_node element : ChildrenNamed(worksheet, name)) {
      if (!AdjustAreaAttribute(element, "ref", shift)) {
        worksheet.remove_child(element);
        continue;
      }
      for (pugi::xml_node sort : ChildrenNamed(element, "sortState")) {
        if (!AdjustAreaAttribute(sort, "ref", shift)) element.remove_child(sort);
      }
      for (pugi::xml_node condition : ChildrenNamed(element, "sortCondition")) {
        if (!AdjustAreaAttribute(condition, "ref", shift)) element.remove_child(condition);
      }
    }
  }
}

void ShiftAreaLists(pugi::xml_node worksheet, const char* list_name, const char* item_name,
                    const Shift& shift) {
  for (pugi::xml_node list : ChildrenNamed(worksheet, list_name)) {
    for (pugi::xml_node item : ChildrenNamed(list, item_name)) {
      if (!AdjustAreaListAttribute(item, "sqref", shift)) list.remove_child(item);
    }
    if (ChildrenNamed(list, item_name).empty()) worksheet.remove_child(list);
  }
}

// A selection keeps its old cells when all of them are deleted; it is only a view setting.
void ShiftSelections(pugi::xml_node worksheet, const Shift& shift) {
  for (pugi::xml_node view : ChildrenNamed(FirstChild(worksheet, "sheetViews"), "sheetView")) {
    for (pugi::xml_node selection : ChildrenNamed(view, "selection")) {
      if (pugi::xml_attribute cell = selection.attribute("activeCell")) {
        if (const auto adjusted = AdjustAreaForShift(cell.value(), shift)) cell = adjusted->c_str();
      }
      if (pugi::xml_attribute list = selection.attribute("sqref")) {
        const std::string adjusted = AdjustAreaListForShift(list.value(), shift);
        if (!adjusted.empty()) list = adjusted.c_str();
      }
    }
  }
}

// A break with id n lies below row n (right of column n) and moves with the row after it.
void ShiftBreaks(pugi::xml_node worksheet, const Shift& shift) {
  pugi::xml_node breaks = FirstChild(worksheet, IsRows(shift) ? "rowBreaks" : "colBreaks");
  if (!breaks) return;
  for (pugi::xml_node brk : ChildrenNamed(breaks, "brk")) {
    const auto moved = ShiftedIndex(ReadIndex(brk.attribute("id").as_llong(), shift) + 1, shift);
    if (!moved) {
      breaks.remove_child(brk);
      continue;
    }
    brk.attribute("id") = *moved - 1;
  }
  std::size_t manual = 0;
  const auto left = ChildrenNamed(breaks, "brk");
  for (pugi::xml_node brk : left) manual += brk.attribute("man").as_bool() ? 1 : 0;
  if (left.empty()) {
    worksheet.remove_child(breaks);
    return;
  }
  UpdateCount(breaks, left.size());
  if (pugi::xml_attribute attribute = breaks.attribute("manualBreakCount")) {
    attribute = static_cast<unsigned>(manual);
  }
}

// Column widths and styles: ranges move and grow with the columns; inserted columns take the
// width and style of the column on their left, as the spreadsheet's inserted columns do.
void ShiftColumnRanges(pugi::xml_node worksheet, const Shift& shift) {
  pugi::xml_node cols = FirstChild(worksheet, "cols");
  if (!cols || IsRows(shift)) return;
  for (pugi::xml_node col : ChildrenNamed(cols, "col")) {
    const int min = std::max(1, ReadIndex(col.attribute("min").as_llong(), shift));
    const int max = ReadIndex(col.attribute("max").as_llong(), shift);
    int new_min = min, new_max = max;
    if (shift.count > 0) {
      if (min >= shift.at) new_min += shift.count;
      if (max >= shift.at) new_max += shift.count;
      if (max == shift.at - 1) {
        pugi::xml_node inserted = cols.insert_copy_after(col, col);
        for (const char* outline : {"hidden", "collapsed", "outlineLevel"}) {
          inserted.remove_attribute(outline);
        }
        inserted.attribute("min") = shift.at;
        inserted.attribute("max") = std::min(shift.at + shift.count - 1, kMaxColumns);
      }
    } else {
      const int deleted_last = shift.at - shift.count - 1;
      new_min = min > deleted_last ? min + shift.count : std::min(min, shift.at);
      new_max = max > deleted_last ? max + shift.count : std::min(max, shift.at - 1);
    }
    new_max = std::min(new_max, kMaxColumns);
    if (new_min > new_max) {
      cols.remove_child(col);
      continue;
    }
    col.attribute("min") = new_min;
    col.attribute("max") = new_max;
  }
  if (ChildrenNamed(cols, "col").empty()) worksheet.remove_child(cols);
}

}  // namespace

void ShiftSheetElements(const SheetEdit& edit, const Shift& shift) {
  const pugi::xml_node worksheet = edit.worksheet;
  ShiftColumnRanges(worksheet, shift);
  ShiftSelections(worksheet, shift);
  ShiftRangeElements(worksheet, shift);
  ShiftAreaLists(worksheet, "protectedRanges", "protectedRange", shift);
  ShiftConditionalFormats(worksheet, edit.name, shift);
  ShiftValidations(worksheet, edit.name, shift);
  ShiftHyperlinks(worksheet, edit.name, shift);
  ShiftBreaks(worksheet, shift);
  ShiftAreaLists(worksheet, "ignoredErrors", "ignoredError", shift);
}

// Pasted rows carry the conditional formats and validations of their source rows: the
// rules' ranges grow over the copies.
void PasteSheetRules(const SheetEdit& edit, const Paste& paste, const CopiedBlock&) {
  const RowSpan source = paste.Standing();
  const auto extend = [&](pugi::xml_node rule) {
    pugi::xml_attribute list = rule.attribute("sqref");
    if (!list) return;
    if (const auto extended = RepeatOverPastedRows(list.value(), source.first, source.last,
                                                   paste.target_first, paste.copies)) {
      list = extended->c_str();
    }
  };
  for (pugi::xml_node element : edit.worksheet.children()) {
    if (LocalName(element) == "conditionalFormatting") extend(element);
    if (LocalName(element) != "dataValidations") continue;
    for (pugi::xml_node validation : element.children()) {
      if (LocalName(validation) == "dataValidation") extend(validation);
    }
  }
}

}  // namespace korvanta::workbook
