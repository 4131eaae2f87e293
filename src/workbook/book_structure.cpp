// Which parts and sheets of the workbook may name a sheet or a table.
#include "workbook/book_structure.h"

#include <algorithm>

#include "workbook/xml_util.h"

namespace korvanta::workbook {
bool PartMayName(const Package& package, std::string_view part, std::string_view name) {
  std::string_view plain = name;
  for (const char special : {'\'', '&', '<', '>', '"'}) {
    plain = plain.substr(0, std::min(plain.size(), plain.find(special)));
  }
  if (plain.empty() || package.IsEdited(part)) return true;
  return ContainsIgnoreCase(package.Read(part), plain);
}

std::vector<const SheetEntry*> OtherSheetsThatMayName(const Package& package,
                                                      const BookStructure& book,
                                                      std::string_view sheet_part,
                                                      std::string_view name) {
  std::vector<const SheetEntry*> sheets;
  for (const SheetEntry& other : book.sheets) {
    if (other.part.empty() || EqualsIgnoreCase(other.part, sheet_part) ||
        !package.Contains(other.part) || !PartMayName(package, other.part, name)) {
      continue;
    }
    sheets.push_back(&other);
  }
  return sheets;
}

}  // namespace korvanta::workbook
