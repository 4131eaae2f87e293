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

// A zip of these entries, stored as given.
std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries);
// The entries of a zip in order, with their content.
std::vector<std::pair<std::string, std::string>> ZipEntries(std::string_view zip);
std::string ZipEntry(std::string_view zip, std::string_view name);  // "" when missing

// The part of a saved workbook, parsed.
pugi::xml_document PartXml(std::string_view zip, std::string_view name);
// The saved active sheet (xl/worksheets/sheet1.xml in these fixtures), parsed.
pugi::xml_document SheetXml(const Workbook& book,
                            std::string_view part = "xl/worksheets/sheet1.xml");

// The saved workbook opened again, as a report's reader would find it.
Workbook Reopened(const Workbook& book);

// The formula of a cell ("" when it holds none), and its text or number.
std::string FormulaAt(const Worksheet& sheet, std::string_view address);
std::string TextAt(const Worksheet& sheet, std::string_view address);
double NumberAt(const Worksheet& sheet, std::string_view address);
bool IsEmptyAt(const Worksheet& sheet, std::string_view address);

}  // namespace korvanta::workbook::testing
