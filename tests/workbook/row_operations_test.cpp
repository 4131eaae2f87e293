// The block operations on a small table template: pasting rows, inserting copied rows and
// columns, deleting rows, and everything that has to follow the moved cells.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;
using testing::IsEmptyAt;
using testing::NumberAt;
using testing::PartXml;
using testing::TextAt;

constexpr std::array<unsigned char, 67> kTinyPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Header row 13; pattern row 14 (bordered, 20 points high, E14:F14 merged, a conditional
// format on A14 and a validation on B14); totals in row 16; A20:B20 merged; a picture at H14;
// a chart over A14:A16; a defined name on row 14; a second sheet pointing into Sheet1.
std::string TableTemplate() {
  const test::TempDir dir;
  const auto png = dir / "logo.png";
  test::WriteFile(png, std::string(kTinyPng.begin(), kTinyPng.end()));
  return testing::XlsxWriterWorkbook([&](lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_worksheet* other = workbook_add_worksheet(book, "Other");
    lxw_format* border = workbook_add_format(book);
    format_set_border(border, LXW_BORDER_THIN);
    worksheet_write_string(sheet, 0, 0, "Title", nullptr);
    worksheet_write_string(sheet, 12, 0, "X", nullptr);
    worksheet_write_string(sheet, 12, 1, "Y", nullptr);
    worksheet_set_row(sheet, 13, 20, nullptr);
    worksheet_write_number(sheet, 13, 0, 1, border);
    worksheet_write_formula(sheet, 13, 1, "=A14*2", border);
    worksheet_write_formula(sheet, 13, 2, "=$A$14+A$1", border);
    worksheet_write_formula(sheet, 13, 3, "=Other!A1", border);
    worksheet_merge_range(sheet, 13, 4, 13, 5, "merged", border);
    worksheet_write_formula(sheet, 15, 0, "=SUM(A13:A15)", nullptr);
    worksheet_write_formula(sheet, 15, 1, "=B14", nullptr);
    worksheet_merge_range(sheet, 19, 0, 19, 1, "below", nullptr);

    lxw_conditional_format condition = {};
    condition.type = LXW_CONDITIONAL_TYPE_CELL;
    condition.criteria = LXW_CONDITIONAL_CRITERIA_GREATER_THAN;
    condition.value = 5;
    condition.format = border;
    worksheet_conditional_format_cell(sheet, 13, 0, &condition);
    lxw_data_validation validation = {};
    validation.validate = LXW_VALIDATION_TYPE_INTEGER;
    validation.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
    validation.minimum_number = 1;
    validation.maximum_number = 10;
    worksheet_data_validation_cell(sheet, 13, 1, &validation);

    worksheet_insert_image(sheet, 13, 7, png.string().c_str());
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
    chart_add_series(chart, nullptr, "=Sheet1!$A$14:$A$16");
    worksheet_insert_chart(sheet, 24, 3, chart);
    workbook_define_name(book, "Pattern", "=Sheet1!$A$14:$F$14");

    worksheet_write_formula(other, 0, 0, "=Sheet1!A14", nullptr);
    worksheet_write_formula(other, 1, 0, "=SUM(Sheet1!A14:A16)", nullptr);
    worksheet_write_formula(other, 2, 0, "=Sheet1!$B$20", nullptr);
  });
}

struct Saved {
  explicit Saved(const Workbook& book)
      : bytes(book.SaveToMemory()), sheet(PartXml(bytes, "xl/worksheets/sheet1.xml")) {}

  std::string Attribute(const char* xpath, const char* attribute) const {
    return sheet.select_node(xpath).node().attribute(attribute).value();
  }
  std::vector<std::string> Merges() const {
    std::vector<std::string> refs;
    for (const auto& merge : sheet.select_nodes("//mergeCell")) {
      refs.emplace_back(merge.node().attribute("ref").value());
    }
    return refs;
  }
  std::string OtherFormula(const char* cell) const {
    const pugi::xml_document other = PartXml(bytes, "xl/worksheets/sheet2.xml");
    return other.select_node((std::string("//c[@r='") + cell + "']/f").c_str()).node().text().get();
  }
  std::string DefinedName() const {
    return PartXml(bytes, "xl/workbook.xml").select_node("//definedName").node().text().get();
  }
  std::string ChartReference() const {
    return PartXml(bytes, "xl/charts/chart1.xml").select_node("//c:val//c:f").node().text().get();
  }
  // Zero-based from-row of the picture's anchor.
  std::string PictureRow() const {
    const pugi::xml_document drawing = PartXml(bytes, "xl/drawings/drawing1.xml");
    for (const auto& anchor : drawing.select_nodes("//xdr:twoCellAnchor")) {
      if (anchor.node().select_node(".//xdr:pic")) {
        return anchor.node().select_node("xdr:from/xdr:row").node().text().get();
      }
    }
    return {};
  }

  std::string bytes;
  pugi::xml_document sheet;
};

TEST(CopyRows, RepeatsTheSourceRowOverEveryTargetRowAndMovesNothing) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  CopyRows(sheet, "14:14", "17:19");

  for (const char* row : {"17", "18", "19"}) {
    const std::string r(row);
    EXPECT_EQ(NumberAt(sheet, "A" + r), 1.0);
    EXPECT_EQ(FormulaAt(sheet, "B" + r), "A" + r + "*2");
    EXPECT_EQ(FormulaAt(sheet, "C" + r), "$A$14+A$1");
    EXPECT_EQ(TextAt(sheet, "E" + r), "merged");
  }
  EXPECT_EQ(FormulaAt(sheet, "A16"), "SUM(A13:A15)");  // nothing moved
  EXPECT_EQ(TextAt(sheet, "A20"), "below");

  const Saved saved(book);
  EXPECT_EQ(saved.Attribute("//row[@r='18']", "ht"), "20");
  EXPECT_EQ(saved.Attribute("//c[@r='A18']", "s"), saved.Attribute("//c[@r='A14']", "s"));
  EXPECT_EQ(saved.Merges(),
            (std::vector<std::string>{"E14:F14", "A20:B20", "E17:F17", "E18:F18", "E19:F19"}));
  EXPECT_EQ(saved.Attribute("//conditionalFormatting", "sqref"), "A14 A17:A19");
  EXPECT_EQ(saved.Attribute("//dataValidation", "sqref"), "B14 B17:B19");
}

TEST(CopyRows, OverwritesTheTargetRowsWhole) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  CopyRows(sheet, "14:14", "20:20");
  EXPECT_EQ(NumberAt(sheet, "A20"), 1.0);
  EXPECT_TRUE(IsEmptyAt(sheet, "G20"));
  EXPECT_EQ(Saved(book).Merges(), (std::vector<std::string>{"E14:F14", "E20:F20"}));
}

TEST(CopyRows, DuplicatesIntoTheNextRowAsTheReportsUseIt) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  CopyRows(book.ActiveSheet(), "14:14", "15:15");
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "B15"), "A15*2");
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "A16"), "SUM(A13:A15)");
}

TEST(InsertCopiedRows, CountZeroChangesNothing) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  const SaveOptions fixed{std::time_t{1700000000}};
  const std::string before = book.SaveToMemory(fixed);
  InsertCopiedRows(book.ActiveSheet(), 0, "14:14");
  DeleteRows(book.ActiveSheet(), 0, "14:14");
  InsertColumns(book.ActiveSheet(), 0, "B:B");
  EXPECT_EQ(book.SaveToMemory(fixed), before);
}

TEST(InsertCopiedRows, InsertsCopiesAtTheSpanAndMovesEverythingBelow) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  InsertCopiedRows(sheet, 2, "14:14");

  for (const char* row : {"14", "15", "16"}) {
    const std::string r(row);
    EXPECT_EQ(NumberAt(sheet, "A" + r), 1.0);
    EXPECT_EQ(FormulaAt(sheet, "B" + r), "A" + r + "*2");
    EXPECT_EQ(FormulaAt(sheet, "D" + r), "Other!A1");
  }
  // Each copy is what inserting one copy at a time leaves: the first is the row as it was.
  EXPECT_EQ(FormulaAt(sheet, "C14"), "$A$14+A$1");
  EXPECT_EQ(FormulaAt(sheet, "C15"), "$A$15+A$1");
  EXPECT_EQ(FormulaAt(sheet, "C16"), "$A$16+A$1");
  EXPECT_EQ(FormulaAt(sheet, "A18"), "SUM(A13:A17)");  // grown across the insertion
  EXPECT_EQ(FormulaAt(sheet, "B18"), "B16");
  EXPECT_EQ(TextAt(sheet, "A22"), "below");
  EXPECT_EQ(sheet.LastRow(), 22);

  const Saved saved(book);
  EXPECT_EQ(saved.Attribute("//row[@r='15']", "ht"), "20");
  EXPECT_EQ(saved.Merges(), (std::vector<std::string>{"E16:F16", "A22:B22", "E14:F14", "E15:F15"}));
  EXPECT_EQ(saved.Attribute("//conditionalFormatting", "sqref"), "A16 A14:A15");
  EXPECT_EQ(saved.Attribute("//dataValidation", "sqref"), "B16 B14:B15");
  EXPECT_EQ(saved.OtherFormula("A1"), "Sheet1!A16");
  EXPECT_EQ(saved.OtherFormula("A2"), "SUM(Sheet1!A16:A18)");
  EXPECT_EQ(saved.OtherFormula("A3"), "Sheet1!$B$22");
  EXPECT_EQ(saved.DefinedName(), "Sheet1!$A$16:$F$16");
  // The copies join the chart range of the row they copy, as they join its rules.
  EXPECT_EQ(saved.ChartReference(), "Sheet1!$A$14:$A$18");
  EXPECT_EQ(saved.PictureRow(), "15");
  EXPECT_EQ(saved.Attribute("//dimension", "ref"), "A1:F22");
}

TEST(InsertCopiedRows, ABlockOfSeveralRowsIsInsertedAsOneShift) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteTextCell(sheet, 'A', 15, "second");
  InsertCopiedRows(sheet, 3, "14:15");
  for (int copy = 0; copy < 4; ++copy) {
    const std::string first = std::to_string(14 + 2 * copy);
    EXPECT_EQ(NumberAt(sheet, "A" + first), 1.0) << first;
    EXPECT_EQ(FormulaAt(sheet, "B" + first), "A" + first + "*2");
    EXPECT_EQ(TextAt(sheet, "A" + std::to_string(15 + 2 * copy)), "second");
  }
  EXPECT_EQ(FormulaAt(sheet, "A22"), "SUM(A13:A21)");
  EXPECT_EQ(TextAt(sheet, "A26"), "below");
}

TEST(InsertColumns, MovesCellsRightAndNewCellsTakeTheLeftColumnsFormat) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  const Saved before(book);
  InsertColumns(sheet, 2, "B:B");

  EXPECT_EQ(FormulaAt(sheet, "D14"), "A14*2");
  EXPECT_EQ(FormulaAt(sheet, "E14"), "$A$14+A$1");
  EXPECT_EQ(FormulaAt(sheet, "A16"), "SUM(A13:A15)");
  EXPECT_EQ(FormulaAt(sheet, "D16"), "D14");
  EXPECT_TRUE(IsEmptyAt(sheet, "B14"));
  EXPECT_TRUE(IsEmptyAt(sheet, "C14"));

  const Saved saved(book);
  EXPECT_EQ(saved.Attribute("//c[@r='B14']", "s"), before.Attribute("//c[@r='A14']", "s"));
  EXPECT_EQ(saved.Attribute("//c[@r='C14']", "s"), before.Attribute("//c[@r='A14']", "s"));
  EXPECT_EQ(saved.Merges(), (std::vector<std::string>{"G14:H14", "A20:D20"}));
  EXPECT_EQ(saved.Attribute("//dataValidation", "sqref"), "D14");
  EXPECT_EQ(saved.OtherFormula("A2"), "SUM(Sheet1!A14:A16)");
  EXPECT_EQ(saved.DefinedName(), "Sheet1!$A$14:$H$14");
}

TEST(InsertColumns, ColumnWidthsMoveAndNewColumnsTakeTheLeftWidth) {
  const std::string bytes = testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
    worksheet_set_column(sheet, 0, 0, 30, nullptr);  // A
    worksheet_set_column(sheet, 1, 2, 5, nullptr);   // B:C
    worksheet_set_column(sheet, 3, 3, 40, nullptr);  // D
    worksheet_write_number(sheet, 0, 3, 4, nullptr);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  InsertColumns(book.ActiveSheet(), 1, "C:C");  // inside B:C
  InsertColumns(book.ActiveSheet(), 2, "B:B");  // right of A
  const pugi::xml_document xml = testing::SheetXml(book);
  std::vector<std::string> ranges;
  for (const auto& col : xml.select_nodes("//col")) {
    ranges.push_back(std::string(col.node().attribute("min").value()) + "-" +
                     col.node().attribute("max").value() + ":" +
                     col.node().attribute("width").value());
  }
  EXPECT_EQ(ranges, (std::vector<std::string>{"1-1:30.7109375", "2-3:30.7109375", "4-6:5.7109375",
                                              "7-7:40.7109375"}));
  EXPECT_EQ(NumberAt(book.ActiveSheet(), "G1"), 4.0);
}

TEST(DeleteRows, RemovesTheRowsAndTurnsReferencesToThemIntoErrors) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  DeleteRows(sheet, 3, "13:13");

  EXPECT_EQ(FormulaAt(sheet, "A13"), "SUM(#REF!)");
  EXPECT_EQ(FormulaAt(sheet, "B13"), "#REF!");
  EXPECT_EQ(TextAt(sheet, "A17"), "below");
  EXPECT_EQ(sheet.LastRow(), 17);

  const Saved saved(book);
  EXPECT_EQ(saved.Merges(), (std::vector<std::string>{"A17:B17"}));
  EXPECT_FALSE(saved.sheet.select_node("//conditionalFormatting"));
  EXPECT_FALSE(saved.sheet.select_node("//dataValidations"));
  EXPECT_EQ(saved.OtherFormula("A1"), "Sheet1!#REF!");
  EXPECT_EQ(saved.OtherFormula("A2"), "SUM(Sheet1!A13:A13)");
  EXPECT_EQ(saved.OtherFormula("A3"), "Sheet1!$B$17");
  EXPECT_EQ(saved.DefinedName(), "Sheet1!#REF!");
  EXPECT_EQ(saved.ChartReference(), "Sheet1!$A$13:$A$13");
  EXPECT_EQ(saved.PictureRow(), "12");  // its row is gone: it sits where the rows were
}

TEST(DeleteRows, ShrinksMergedAreasThatReachIntoTheDeletedRows) {
  const std::string bytes = testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
    worksheet_merge_range(sheet, 2, 0, 5, 1, "tall", nullptr);   // A3:B6
    worksheet_merge_range(sheet, 5, 3, 6, 3, "pair", nullptr);   // D6:D7
    worksheet_merge_range(sheet, 9, 0, 9, 2, "after", nullptr);  // A10:C10
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  DeleteRows(book.ActiveSheet(), 1, "5:6");
  const Saved saved(book);
  // A3:B6 loses rows 5 and 6; D6:D7 keeps one row and is no merge any more.
  EXPECT_EQ(saved.Merges(), (std::vector<std::string>{"A3:B4", "A8:C8"}));
}

// A list above a table, as the standard-curve reports have them: heading row 13, pattern row
// 14 and a spacer row 15; a scatter chart over the pattern row alone (x in C, y in B) and a
// line chart over the table's pattern row 19.
std::string ChartedListTemplate() {
  return testing::XlsxWriterWorkbook([&](lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    worksheet_write_string(sheet, 12, 1, "Concentration", nullptr);
    worksheet_write_string(sheet, 12, 2, "OD", nullptr);
    worksheet_write_number(sheet, 13, 1, 0, nullptr);
    worksheet_write_number(sheet, 13, 2, 0, nullptr);
    worksheet_write_string(sheet, 17, 1, "Sample", nullptr);
    worksheet_write_number(sheet, 18, 1, 0, nullptr);
    lxw_chart* list_chart = workbook_add_chart(book, LXW_CHART_SCATTER);
    chart_add_series(list_chart, "=Sheet1!$C$14:$C$14", "=Sheet1!$B$14:$B$14");
    worksheet_insert_chart(sheet, 12, 6, list_chart);
    lxw_chart* table_chart = workbook_add_chart(book, LXW_CHART_LINE);
    chart_add_series(table_chart, nullptr, "=Sheet1!$B$19:$B$19");
    worksheet_insert_chart(sheet, 30, 6, table_chart);
  });
}

std::vector<std::string> ChartRanges(const Workbook& book, const char* part) {
  const pugi::xml_document chart = PartXml(book.SaveToMemory(), part);
  std::vector<std::string> ranges;
  for (const auto& formula : chart.select_nodes("//c:ser//c:f")) {
    ranges.emplace_back(formula.node().text().get());
  }
  return ranges;
}

TEST(ChartRanges, ASeriesOverAPatternRowCoversEveryRowTheWritersMake) {
  for (const int count : {1, 2, 7, 40}) {
    Workbook book = Workbook::LoadFromMemory(ChartedListTemplate());
    Worksheet& sheet = book.ActiveSheet();
    // Table rows pasted, list rows inserted, then rows inserted above both, as the
    // standard-curve writers do; inserted columns right of the data leave the ranges alone.
    if (count > 1) CopyRows(sheet, "19:19", "20:" + std::to_string(18 + count));
    InsertCopiedRows(sheet, count - 1, "14:14");
    InsertCopiedRows(sheet, 2, "11:11");
    InsertColumns(sheet, 2, "D:D");
    const std::string list_last = std::to_string(15 + count);
    EXPECT_EQ(
        ChartRanges(book, "xl/charts/chart1.xml"),
        (std::vector<std::string>{"Sheet1!$C$16:$C$" + list_last, "Sheet1!$B$16:$B$" + list_last}))
        << count;
    const std::string table_first = std::to_string(20 + count);
    const std::string table_last = std::to_string(19 + 2 * count);
    EXPECT_EQ(ChartRanges(book, "xl/charts/chart2.xml"),
              (std::vector<std::string>{"Sheet1!$B$" + table_first + ":$B$" + table_last}))
        << count;
  }
}

TEST(ChartRanges, DeletedRowsLeaveAnEmptySeriesWithoutStaleNumbers) {
  Workbook book = Workbook::LoadFromMemory(ChartedListTemplate());
  InsertCopiedRows(book.ActiveSheet(), 3, "14:14");
  // The numbers cached for the one template row would describe the grown range wrongly.
  EXPECT_FALSE(PartXml(book.SaveToMemory(), "xl/charts/chart1.xml").select_node("//c:numCache"));
  DeleteRows(book.ActiveSheet(), 6, "13:13");
  EXPECT_EQ(ChartRanges(book, "xl/charts/chart1.xml"),
            (std::vector<std::string>{"Sheet1!#REF!", "Sheet1!#REF!"}));
}

TEST(RowOperations, MalformedSpansAndOversizedCountsAreRefused) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  EXPECT_THROW(InsertCopiedRows(sheet, 1, "14"), WorkbookError);
  EXPECT_THROW(InsertColumns(sheet, 1, "14:14"), WorkbookError);
  EXPECT_THROW(DeleteRows(sheet, 1, "B:B"), WorkbookError);
  EXPECT_THROW(CopyRows(sheet, "14:14", "0:1"), WorkbookError);
  EXPECT_THROW(InsertCopiedRows(sheet, 2000000, "14:14"), WorkbookError);
  EXPECT_THROW(CopyRows(sheet, "14:15", "1048576:1048576"), WorkbookError);
  // Nothing was changed by the refused operations.
  EXPECT_EQ(FormulaAt(sheet, "A16"), "SUM(A13:A15)");
  EXPECT_EQ(sheet.LastRow(), 20);
}

TEST(RowOperations, InsertingRefusesToPushCellsOffTheSheet) {
  Workbook book = Workbook::LoadFromMemory(TableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteIntegerCell(sheet, 'A', 1048575, 1);
  EXPECT_THROW(InsertCopiedRows(sheet, 2, "14:14"), WorkbookError);
  EXPECT_EQ(NumberAt(sheet, "A1048575"), 1.0);
  EXPECT_EQ(FormulaAt(sheet, "A16"), "SUM(A13:A15)");
}

}  // namespace
}  // namespace korvanta::workbook
