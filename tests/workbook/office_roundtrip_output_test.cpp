// Workbooks for the office round-trip test (tests/python/test_workbook_roundtrip.py), which
// reads them with openpyxl and LibreOffice and repeats the row operations in LibreOffice.
// They are written only when KORVANTA_ROUNDTRIP_DIR names a folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

std::filesystem::path OutputDir() {
  const char* dir = std::getenv("KORVANTA_ROUNDTRIP_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

void SaveEdited(const std::string& name, const std::function<void(Worksheet&)>& edit) {
  Workbook book = Workbook::Load(test::TestDataDir() / "workbook" / "report_template.xlsx");
  edit(book.ActiveSheet());
  book.Save(OutputDir() / name);
}

// A report template as libxlsxwriter writes one: header, a bordered pattern row 14 with a
// formula, totals in row 16 and merged remarks in row 18.
std::string ReportTemplate() {
  return testing::XlsxWriterSheet([](lxw_workbook* book, lxw_worksheet* sheet) {
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* border = workbook_add_format(book);
    format_set_border(border, LXW_BORDER_THIN);
    worksheet_write_string(sheet, 0, 0, "File name", bold);
    worksheet_write_string(sheet, 3, 0, "User", bold);
    worksheet_write_string(sheet, 12, 0, "No.", bold);
    worksheet_write_string(sheet, 12, 1, "Value", bold);
    worksheet_write_string(sheet, 12, 2, "Double", bold);
    worksheet_write_blank(sheet, 13, 0, border);
    worksheet_write_blank(sheet, 13, 1, border);
    worksheet_write_formula(sheet, 13, 2, "=B14*2", border);
    worksheet_write_string(sheet, 15, 0, "Total", bold);
    worksheet_write_formula(sheet, 15, 2, "=SUM(C13:C15)", nullptr);
    worksheet_merge_range(sheet, 17, 0, 17, 2, "Remarks", nullptr);
  });
}

TEST(OfficeRoundTrip, WritesTheWorkbooksTheOfficeTestReads) {
  if (OutputDir().empty()) GTEST_SKIP() << "KORVANTA_ROUNDTRIP_DIR is not set";
  std::filesystem::create_directories(OutputDir());

  SaveEdited("lo_insert_rows.xlsx", [](Worksheet& sheet) { InsertCopiedRows(sheet, 2, "14:14"); });
  SaveEdited("lo_delete_rows.xlsx", [](Worksheet& sheet) { DeleteRows(sheet, 1, "14:15"); });
  SaveEdited("lo_insert_columns.xlsx", [](Worksheet& sheet) { InsertColumns(sheet, 1, "C:C"); });
  SaveEdited("lo_copy_rows.xlsx", [](Worksheet& sheet) { CopyRows(sheet, "14:14", "20:22"); });

  // The wavelength table, for LibreOffice to insert the same copies into.
  const std::string wavelengths = testing::WavelengthTableTemplate();
  test::WriteFile(OutputDir() / "wavelength_template.xlsx", wavelengths);
  Workbook grown = Workbook::LoadFromMemory(wavelengths);
  InsertCopiedRows(grown.ActiveSheet(), 2, "9:9");
  grown.Save(OutputDir() / "lo_insert_wavelength_rows.xlsx");

  // Merged areas grown over inserted copies, and one copied with its row.
  Workbook merged =
      Workbook::LoadFromMemory(testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
        worksheet_merge_range(sheet, 7, 0, 9, 0, "A8:A10", nullptr);
        worksheet_merge_range(sheet, 7, 2, 8, 2, "C8:C9", nullptr);
        worksheet_merge_range(sheet, 8, 3, 8, 4, "D9:E9", nullptr);
      }));
  InsertCopiedRows(merged.ActiveSheet(), 2, "9:9");
  merged.Save(OutputDir() / "merges_around_copies.xlsx");

  Workbook book = Workbook::LoadFromMemory(ReportTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteVerbatimTextCell(sheet, 'B', 1, "sample.pht");
  WriteVerbatimTextCell(sheet, 'B', 4, "001");
  InsertCopiedRows(sheet, 4, "14:14");
  for (int i = 0; i < 5; ++i) {
    WriteIntegerCell(sheet, 'A', 14 + i, i + 1);
    WriteTextCell(sheet, 'B', 14 + i, std::to_string(i) + ".5");
  }
  book.Save(OutputDir() / "grown_report.xlsx");
}

}  // namespace
}  // namespace korvanta::workbook
