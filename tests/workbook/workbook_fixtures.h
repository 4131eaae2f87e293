// Workbooks for the engine's tests: made by libxlsxwriter, or zips put together by hand.
#pragma once

#include <xlsxwriter.h>

#include <functional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/workbook.h"

namespace korvanta::workbook::testing {

// A workbook written by libxlsxwriter; `fill` adds its sheets and cells.
std::string XlsxWriterWorkbook(const std::function<void(lxw_workbook*)>& fill);
// One sheet "Sheet1" filled by `fill`.
std::string XlsxWriterSheet(const std::function<void(lxw_workbook*, lxw_worksheet*)>& fill);

// A wavelength table as the Photometry report grows it, written by libxlsxwriter: a factor
// in B6 above the pattern row 9, a sample table B19:C82 below it with its total in B85, the
// name Samples over B19:B82, and in row 9 formulas reading all three (SUMIF over the samples
// in B9, an array formula in G9, D9:F9 edited into one shared formula as Excel writes them);
// the sheet "Other" reads row 9 and the samples.
std::string WavelengthTableTemplate();

// A package written by hand, for what libxlsxwriter does not write (shared formulas, tables,
// notes, filters): sheets "Sheet1" (active) and "Other", each given as the content of its
// <worksheet> element.
struct HandMadeParts {
  std::string sheet1 = "<sheetData/>";
  std::string sheet2 = "<sheetData/>";
  std::string defined_names;           // <definedName> elements
  std::string sheet1_relationships;    // <Relationship> elements of sheet1
  std::string content_type_overrides;  // <Override> elements
  std::vector<std::pair<std::string, std::string>> extra_parts;
};
std::string HandMadeWorkbook(const HandMadeParts& parts);

// A zip of these entries with their content as given, deflated unless `deflate` is false.
std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries,
                  bool deflate = true);
// The entries of a zip in order, with their content.
std::vector<std::pair<std::string, std::string>> ZipEntries(std::string_view zip);
std::string ZipEntry(std::string_view zip, std::string_view name);  // "" when missing
// The entry's bytes as stored (deflated or not) and its compression method; {"", 0} when missing.
std::pair<std::string, int> StoredZipEntry(std::string_view zip, std::string_view name);

// The package with its Default for relationship parts replaced by an Override per .rels part, as
// some writers declare them.
std::string WithRelationshipOverrides(std::string_view zip);

// The part of a saved workbook, parsed, after the whole package is checked
// (ExpectWholePackage).
pugi::xml_document PartXml(std::string_view zip, std::string_view name);
// The saved active sheet (xl/worksheets/sheet1.xml in these fixtures), parsed.
pugi::xml_document SheetXml(const Workbook& book,
                            std::string_view part = "xl/worksheets/sheet1.xml");

// The saved workbook, its package checked, opened again as a report's reader would find it.
Workbook Reopened(const Workbook& book);

// The formula of a cell ("" when it holds none), and its text or number.
std::string FormulaAt(const Worksheet& sheet, std::string_view address);
std::string TextAt(const Worksheet& sheet, std::string_view address);
double NumberAt(const Worksheet& sheet, std::string_view address);
bool IsEmptyAt(const Worksheet& sheet, std::string_view address);

}  // namespace korvanta::workbook::testing
