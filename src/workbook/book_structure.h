// The workbook's sheets as the engine sees them (workbook.xml), and which of them may name a
// given sheet or table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/package.h"

namespace korvanta::workbook {

struct SheetEntry {
  std::string name;
  std::string part;  // empty when its relationship is missing
  bool is_worksheet = false;
};

// workbook.xml as the engine sees it: the sheets in tab order and the active one.
struct BookStructure {
  std::string workbook_part;  // "xl/workbook.xml"
  std::vector<SheetEntry> sheets;
  std::size_t active = 0;
};

// Whether `part` may name `name` (a sheet's or a table's), found without parsing it: the
// longest stretch of the name that XML and formulas write unchanged appears in the part, or
// the part is already opened for editing. Parts that cannot name it stay unopened, so they
// are written back as read.
bool PartMayName(const Package& package, std::string_view part, std::string_view name);

// The sheets other than the one in `sheet_part` whose parts may name `name`.
std::vector<const SheetEntry*> OtherSheetsThatMayName(const Package& package,
                                                      const BookStructure& book,
                                                      std::string_view sheet_part,
                                                      std::string_view name);

}  // namespace korvanta::workbook
