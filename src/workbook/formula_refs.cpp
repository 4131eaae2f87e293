#include "workbook/formula_refs.h"

#include "workbook/area_ref.h"
#include "workbook/formula_tokens.h"
#include "workbook/sheet_names.h"

namespace korvanta::workbook {
namespace {

// The text of a reference after a change: unchanged references keep their exact bytes, lost
// ones become #REF! behind their sheet qualification.
std::string RewrittenReference(const FormulaToken& token, const std::optional<AreaRef>& moved) {
  const FormulaReference& reference = *token.reference;
  if (moved == reference.area) return std::string(token.text);
  return std::string(reference.prefix) + (moved ? FormatAreaRef(*moved) : "#REF!");
}

template <typename Rewrite>
std::string RewriteReferences(std::string_view formula, Rewrite rewrite) {
  std::string result;
  result.reserve(formula.size());
  for (const FormulaToken& token : TokenizeFormula(formula)) {
    if (token.reference) {
      result += rewrite(token);
    } else {
      result += token.text;
    }
  }
  return result;
}

// Whether a reference names `edited_sheet`; unqualified ones do when the formula's own sheet
// is the edited one.
bool PointsInto(const FormulaReference& reference, bool local_sheet_edited,
                std::string_view edited_sheet) {
  if (reference.scope == FormulaReference::Scope::kUnqualified) return local_sheet_edited;
  return reference.scope == FormulaReference::Scope::kSheet &&
         SameSheetName(reference.sheet, edited_sheet);
}

std::optional<std::string> FormatIfChanged(std::string_view text, const AreaRef& area,
                                           const std::optional<AreaRef>& moved) {
  if (!moved) return std::nullopt;
  if (*moved == area) return std::string(text);
  return FormatAreaRef(*moved);
}

}  // namespace

std::string AdjustFormulaForShift(std::string_view formula, std::string_view formula_sheet,
                                  std::string_view edited_sheet, const Shift& shift) {
  const bool local_sheet_edited = SameSheetName(formula_sheet, edited_sheet);
  return RewriteReferences(formula, [&](const FormulaToken& token) {
    const FormulaReference& reference = *token.reference;
    if (!PointsInto(reference, local_sheet_edited, edited_sheet)) return std::string(token.text);
    return RewrittenReference(token, ShiftArea(reference.area, shift));
  });
}

std::string GrowFormulaOverCopies(std::string_view formula, std::string_view formula_sheet,
                                  std::string_view edited_sheet, RowSpan source, RowSpan copies) {
  const bool local_sheet_edited = SameSheetName(formula_sheet, edited_sheet);
  return RewriteReferences(formula, [&](const FormulaToken& token) {
    const FormulaReference& reference = *token.reference;
    if (!PointsInto(reference, local_sheet_edited, edited_sheet)) return std::string(token.text);
    return RewrittenReference(token, GrowAreaOverCopies(reference.area, source, copies));
  });
}

std::string AdjustFormulaForPaste(std::string_view formula, int row_offset, int col_offset) {
  // Relative parts follow the paste whatever sheet or workbook they point into.
  return RewriteReferences(formula, [&](const FormulaToken& token) {
    return RewrittenReference(token,
                              MoveArea(token.reference->area, row_offset, col_offset, false));
  });
}

std::string AdjustFormulaForRowCopy(std::string_view formula, std::string_view sheet_name,
                                    const RowCopy& copy) {
  if (copy.inserted == 0) return AdjustFormulaForPaste(formula, copy.offset, 0);
  return RewriteReferences(formula, [&](const FormulaToken& token) {
    const FormulaReference& reference = *token.reference;
    const bool on_sheet = reference.scope == FormulaReference::Scope::kUnqualified ||
                          (reference.scope == FormulaReference::Scope::kSheet &&
                           SameSheetName(reference.sheet, sheet_name));
    if (!on_sheet) return std::string(token.text);
    return RewrittenReference(token, InsertedCopyArea(reference.area, copy));
  });
}

std::optional<std::string> AdjustAreaForShift(std::string_view area, const Shift& shift) {
  const auto parsed = ParseAreaRef(area);
  if (!parsed) return std::string(area);  // not an area we know: left as it is
  return FormatIfChanged(area, *parsed, ShiftArea(*parsed, shift));
}

std::string AdjustAreaListForShift(std::string_view areas, const Shift& shift) {
  std::string result;
  std::size_t begin = 0;
  while (begin < areas.size()) {
    std::size_t end = areas.find(' ', begin);
    if (end == std::string_view::npos) end = areas.size();
    if (end > begin) {
      if (const auto adjusted = AdjustAreaForShift(areas.substr(begin, end - begin), shift)) {
        if (!result.empty()) result += ' ';
        result += *adjusted;
      }
    }
    begin = end + 1;
  }
  return result;
}

std::optional<std::string> OffsetArea(std::string_view area, int row_offset, int col_offset) {
  const auto parsed = ParseAreaRef(area);
  if (!parsed) return std::string(area);
  return FormatIfChanged(area, *parsed, MoveArea(*parsed, row_offset, col_offset, true));
}

}  // namespace korvanta::workbook
