// Whole-row spans in the spreadsheet's notation, as the block operations take them.
#pragma once

#include <string>

namespace korvanta {

// RowSpanText(20, 23) is "20:23"; RowSpanText(19, 19) is "19:19".
inline std::string RowSpanText(int first, int last) {
  return std::to_string(first) + ":" + std::to_string(last);
}

}  // namespace korvanta
