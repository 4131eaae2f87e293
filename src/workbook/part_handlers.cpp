// The one table of handlers that a shift and a paste of rows both walk.
#include "workbook/part_handlers.h"

namespace korvanta::workbook {
namespace {

struct PartHandler {
  void (*shift)(const SheetEdit&, const Shift&);
  // Empty for kinds that pasted rows leave alone: pasting copies cells, not the objects
  // drawn over them or the formulas that read them.
  void (*paste)(const SheetEdit&, const Paste&, const CopiedBlock&);
};

// A table's removal edits the sheet's relationships, so the tables come before the kinds
// that read them.
constexpr PartHandler kPartHandlers[] = {
    {ShiftMerges, PasteMerges},
    {ShiftSheetElements, PasteSheetRules},
    {ShiftExtensionList, PasteExtensionList},
    {ShiftTables, PasteTables},
    {ShiftDrawings, nullptr},
    {ShiftComments, nullptr},
    {ShiftLegacyDrawings, nullptr},
    {ShiftPivots, PastePivots},
    {ShiftCharts, PasteCharts},
    {ShiftOtherSheets, nullptr},
    {ShiftDefinedNames, nullptr},
};

}  // namespace

void ShiftSheetContent(const SheetEdit& edit, const Shift& shift) {
  if (shift.count == 0) return;
  for (const PartHandler& handler : kPartHandlers) handler.shift(edit, shift);
}

void PasteSheetContent(const SheetEdit& edit, const Paste& paste, const CopiedBlock& block) {
  for (const PartHandler& handler : kPartHandlers) {
    if (handler.paste) handler.paste(edit, paste, block);
  }
}

}  // namespace korvanta::workbook
