// A template saved by LibreOffice (tests/data/workbook/report_template.xlsx): its cells,
// formats and formulas are read, and a table grown in it keeps everything consistent.
#include <gtest/gtest.h>

#include "support/paths.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;
using testing::NumberAt;
using testing::TextAt;

Workbook LibreOfficeTemplate() {
  return Workbook::Load(test::TestDataDir() / "workbook" / "report_template.xlsx");
}

TEST(LibreOfficeTemplate, IsReadWithItsTextsNumbersFormulasAndFormats) {
  const Workbook book = LibreOfficeTemplate();
  const Worksheet& sheet = book.ActiveSheet();
  EXPECT_EQ(sheet.Name(), "Sheet1");
  EXPECT_EQ(TextAt(sheet, "A1"), "File name");
  EXPECT_EQ(NumberAt(sheet, "B10"), 2.5);
  EXPECT_EQ(FormulaAt(sheet, "D14"), "C14*$B$10");
  EXPECT_EQ(sheet.NumberFormatOf({2, 14}), "@");
  EXPECT_EQ(sheet.NumberFormatOf({3, 14}), "General");
  EXPECT_EQ(sheet.LastRow(), 18);
}

TEST(LibreOfficeTemplate, GrowsItsTableAndFillsIt) {
  Workbook book = LibreOfficeTemplate();
  Worksheet& sheet = book.ActiveSheet();
  InsertCopiedRows(sheet, 2, "14:14");
  for (int row = 14; row <= 16; ++row) {
    WriteTextCell(sheet, 'B', row, "00" + std::to_string(row));
    WriteTextCell(sheet, 'C', row, "0." + std::to_string(row));
  }
  const Workbook saved = testing::Reopened(book);
  const Worksheet& read = saved.ActiveSheet();
  EXPECT_EQ(TextAt(read, "B15"), "0015");  // the Text column keeps its leading zeros
  EXPECT_EQ(NumberAt(read, "C15"), 0.15);
  EXPECT_EQ(FormulaAt(read, "D15"), "C15*$B$10");
  EXPECT_EQ(FormulaAt(read, "C18"), "SUM(C13:C17)");
  EXPECT_EQ(TextAt(read, "A20"), "Remarks");

  const pugi::xml_document xml = testing::SheetXml(book);
  EXPECT_EQ(std::string(xml.select_node("//row[@r='15']").node().attribute("ht").value()),
            xml.select_node("//row[@r='14']").node().attribute("ht").value());
  std::vector<std::string> merges;
  for (const auto& merge : xml.select_nodes("//mergeCell")) {
    merges.emplace_back(merge.node().attribute("ref").value());
  }
  EXPECT_EQ(merges,
            (std::vector<std::string>{"E13:F13", "E16:F16", "A20:C20", "E14:F14", "E15:F15"}));
}

}  // namespace
}  // namespace korvanta::workbook
