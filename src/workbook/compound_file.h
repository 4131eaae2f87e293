// Workbooks that come as an OLE compound file instead of a zip package: a password-protected
// workbook (its package encrypted inside) or a workbook of Excel 97-2003.
#pragma once

#include <optional>
#include <string_view>

namespace korvanta::workbook {

enum class CompoundWorkbook { kPasswordProtected, kExcel97To2003 };

// What the file holds when it is a compound file; nothing when it is not one.
std::optional<CompoundWorkbook> RecogniseCompoundWorkbook(std::string_view bytes);

}  // namespace korvanta::workbook
