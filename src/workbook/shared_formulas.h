// Shared-formula groups: the anchor cell holds the text and the other cells of the group derive
// theirs from it, moved as pasting moves a formula.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "workbook/cell_address.h"

namespace korvanta::workbook {

class SharedFormulaGroups {
 public:
  // A cell of group `group` (its si); the first cell with a text is the group's anchor.
  void Add(std::string_view group, std::string_view text, CellRef at);

  // The anchor's formula, or nullptr when the group has no anchor.
  const std::string* AnchorText(std::string_view group) const;
  // The formula of the cell at `at` in `group`; nothing when the group has no anchor.
  std::optional<std::string> FormulaAt(std::string_view group, CellRef at) const;

 private:
  struct Anchor {
    std::string text;
    CellRef at;
  };
  std::unordered_map<std::string, Anchor> anchors_;
};

}  // namespace korvanta::workbook
