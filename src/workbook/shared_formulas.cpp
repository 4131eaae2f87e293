#include "workbook/shared_formulas.h"

#include "workbook/formula_refs.h"

namespace korvanta::workbook {

void SharedFormulaGroups::Add(std::string_view group, std::string_view text, CellRef at) {
  if (!text.empty()) anchors_.emplace(std::string(group), Anchor{std::string(text), at});
}

const std::string* SharedFormulaGroups::AnchorText(std::string_view group) const {
  const auto anchor = anchors_.find(std::string(group));
  return anchor == anchors_.end() ? nullptr : &anchor->second.text;
}

std::optional<std::string> SharedFormulaGroups::FormulaAt(std::string_view group,
                                                          CellRef at) const {
  const auto anchor = anchors_.find(std::string(group));
  if (anchor == anchors_.end()) return std::nullopt;
  return AdjustFormulaForPaste(anchor->second.text, at.row - anchor->second.at.row,
                               at.col - anchor->second.at.col);
}

}  // namespace korvanta::workbook
