// Checks of saved workbooks by software we did not write: the transitional schemas (through
// ../shared/ooxml/validate-part.py), openpyxl and LibreOffice. Each check is skipped, with a
// note, where its tool is missing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::workbook::testing {

// The schema errors of one part of a package, as validate-part.py prints them.
std::vector<std::string> SchemaErrors(std::string_view zip, std::string_view part);

// Fails the test for every schema error of `part` in `saved` that the template's part lacks.
void ExpectNoNewSchemaErrors(std::string_view template_zip, std::string_view saved,
                             std::string_view part);

// Fails the test for every package that openpyxl cannot load or LibreOffice cannot open.
void ExpectOfficeOpens(const std::vector<std::pair<std::string, std::string>>& named_packages);

}  // namespace korvanta::workbook::testing
