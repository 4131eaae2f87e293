// Checks of saved workbooks: the package's own rules, and software we did not write: the
// transitional schemas (through ../shared/ooxml/validate-part.py), openpyxl and LibreOffice.
// Each outside check is skipped, with a note, where its tool is missing.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/workbook.h"

namespace korvanta::workbook::testing {

// Fails the test for every part of the zip without a content type (neither an Override nor a
// Default for its extension) and every internal relationship whose target is missing. Content
// types are read here, apart from the engine, whose reading of them is under test.
void ExpectWholePackage(std::string_view zip);

// The schema errors of one part of a package, as validate-part.py prints them.
std::vector<std::string> SchemaErrors(std::string_view zip, std::string_view part);

// Fails the test for every schema error of `part` in `saved` that the template's part lacks.
void ExpectNoNewSchemaErrors(std::string_view template_zip, std::string_view saved,
                             std::string_view part);

// Fails the test for every package that openpyxl cannot load or LibreOffice cannot open.
void ExpectOfficeOpens(const std::vector<std::pair<std::string, std::string>>& named_packages);

// The outputs of one test: each saved and its edited parts checked against the schemas as it
// comes, then all opened in the office readers at once (LibreOffice starts only once).
class CheckedOutputs {
 public:
  explicit CheckedOutputs(std::string stem) : stem_(std::move(stem)) {}
  std::string Save(const Workbook& book, std::string_view template_zip,
                   std::initializer_list<std::string_view> edited_parts);
  void ExpectOfficeOpens() const { testing::ExpectOfficeOpens(saved_); }

 private:
  std::string stem_;
  std::vector<std::pair<std::string, std::string>> saved_;
};

}  // namespace korvanta::workbook::testing
