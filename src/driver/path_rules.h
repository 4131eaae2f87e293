// The rules that turn chosen paths into a data type and an output workbook name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// The characters after the last "." of the whole path, lower-cased; nothing without a dot.
// A dot in a folder name counts, so such an "extension" holds a separator and matches no type.
std::optional<std::string> LowerCaseExtension(std::string_view path);

// The output name rule: ".xlsx" is appended unless the path already ends in ".xlsx" in any
// case (out -> out.xlsx, out.XLSX unchanged, out.xls -> out.xls.xlsx).
std::string WithXlsxExtension(std::string path);

// The ASM document beside the report `report_path` names: its ".xlsx" (appended where the
// rule above appends it) replaced by ".json" (out -> out.json, out.XLSX -> out.json).
std::string AsmDocumentPath(std::string report_path);

}  // namespace korvanta
