// Cell writes on the active sheet: typed input, verbatim text, numbers, styles kept and
// inherited, shared strings, and what survives a save.
#include "workbook/cell_writing.h"

#include <gtest/gtest.h>

#include <string>

#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;
using testing::IsEmptyAt;
using testing::NumberAt;
using testing::Reopened;
using testing::SheetXml;
using testing::TextAt;

// B2 General with a border, C2 Text (@), row 5 styled as a whole, column E styled.
std::string FormattedTemplate() {
  return testing::XlsxWriterSheet([](lxw_workbook* book, lxw_worksheet* sheet) {
    lxw_format* border = workbook_add_format(book);
    format_set_border(border, LXW_BORDER_THIN);
    lxw_format* text = workbook_add_format(book);
    format_set_num_format(text, "@");
    lxw_format* two_decimals = workbook_add_format(book);
    format_set_num_format(two_decimals, "0.00");
    lxw_format* percent = workbook_add_format(book);
    format_set_num_format(percent, "0%");
    worksheet_write_blank(sheet, 1, 1, border);
    worksheet_write_blank(sheet, 1, 2, text);
    worksheet_set_row(sheet, 4, 15, two_decimals);
    worksheet_set_column(sheet, 4, 4, 12, percent);
    worksheet_write_string(sheet, 0, 0, "Label", nullptr);
  });
}

TEST(TypedInput, NumbersBecomeNumbersInGeneralCellsAndStayTextInTextCells) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteTextCell(sheet, 'B', 2, " 1.25E2 ");
  WriteTextCell(sheet, 'C', 2, "0.50");
  WriteTextCell(sheet, 'D', 2, "-.5");
  WriteTextCell(sheet, 'D', 3, "12/03");  // never a date
  WriteTextCell(sheet, 'D', 4, "50%");    // never a percentage
  WriteTextCell(sheet, 'D', 6, "1,000");  // never a thousands separator
  WriteTextCell(sheet, 'D', 7, "TRUE");   // never a boolean

  const Workbook saved = Reopened(book);
  const Worksheet& read = saved.ActiveSheet();
  EXPECT_EQ(NumberAt(read, "B2"), 125.0);
  EXPECT_EQ(TextAt(read, "C2"), "0.50");
  EXPECT_EQ(NumberAt(read, "D2"), -0.5);
  EXPECT_EQ(TextAt(read, "D3"), "12/03");
  EXPECT_EQ(TextAt(read, "D4"), "50%");
  EXPECT_EQ(TextAt(read, "D6"), "1,000");
  EXPECT_EQ(TextAt(read, "D7"), "TRUE");
}

TEST(TypedInput, VerbatimTextKeepsLeadingZeros) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  WriteVerbatimTextCell(book.ActiveSheet(), 'B', 7, "001");
  WriteTextCell(book.ActiveSheet(), 'B', 8, "001");
  const Workbook saved = Reopened(book);
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "B7"), "001");
  EXPECT_EQ(NumberAt(saved.ActiveSheet(), "B8"), 1.0);
}

TEST(TypedInput, EmptyTextEmptiesTheCellAndKeepsItsStyle) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteTextCell(sheet, 'C', 2, "x");
  WriteTextCell(sheet, 'C', 2, "");
  EXPECT_TRUE(IsEmptyAt(sheet, "C2"));
  EXPECT_EQ(sheet.NumberFormatOf({3, 2}), "@");
}

TEST(CellStyles, AWriteKeepsTheCellsStyle) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  const pugi::xml_document before = SheetXml(book);
  const std::string border_style = before.select_node("//c[@r='B2']").node().attribute("s").value();
  ASSERT_FALSE(border_style.empty());

  WriteNumberCell(book.ActiveSheet(), 'B', 2, 3.5f);
  const pugi::xml_document after = SheetXml(book);
  EXPECT_EQ(std::string(after.select_node("//c[@r='B2']").node().attribute("s").value()),
            border_style);
  EXPECT_EQ(book.ActiveSheet().NumberFormatOf({3, 2}), "@");
}

TEST(CellStyles, NewCellsTakeTheirRowsStyleElseTheirColumnsStyle) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  Worksheet& sheet = book.ActiveSheet();
  EXPECT_EQ(sheet.NumberFormatOf({2, 5}), "0.00");  // row 5
  EXPECT_EQ(sheet.NumberFormatOf({5, 9}), "0%");    // column E
  EXPECT_EQ(sheet.NumberFormatOf({5, 5}), "0.00");  // the row's style wins
  EXPECT_EQ(sheet.NumberFormatOf({7, 9}), "General");

  WriteIntegerCell(sheet, 'B', 5, 7);
  WriteIntegerCell(sheet, 'E', 9, 1);
  const Workbook saved = Reopened(book);
  EXPECT_EQ(saved.ActiveSheet().NumberFormatOf({2, 5}), "0.00");
  EXPECT_EQ(saved.ActiveSheet().NumberFormatOf({5, 9}), "0%");
}

TEST(CellStyles, TextTypedIntoATextColumnStaysText) {
  const std::string bytes = testing::XlsxWriterSheet([](lxw_workbook* book, lxw_worksheet* sheet) {
    lxw_format* text = workbook_add_format(book);
    format_set_num_format_index(text, 49);
    worksheet_set_column(sheet, 3, 3, 10, text);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  WriteTextCell(book.ActiveSheet(), 'D', 20, "42");
  EXPECT_EQ(TextAt(Reopened(book).ActiveSheet(), "D20"), "42");
}

TEST(NumberCells, FloatsAreStoredAsTheirShortestDecimal) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  WriteNumberCell(book.ActiveSheet(), 'A', 3, 0.1f);
  WriteIntegerCell(book.ActiveSheet(), 'A', 4, -5);
  const pugi::xml_document xml = SheetXml(book);
  EXPECT_STREQ(xml.select_node("//c[@r='A3']/v").node().text().get(), "0.1");
  EXPECT_STREQ(xml.select_node("//c[@r='A4']/v").node().text().get(), "-5");
}

TEST(NumberCells, NonFiniteNumbersAreRefused) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  EXPECT_THROW(WriteNumberCell(book.ActiveSheet(), 'A', 3, 1.0f / 0.0f), WorkbookError);
  EXPECT_TRUE(IsEmptyAt(book.ActiveSheet(), "A3"));
}

TEST(CellValues, AValueReplacesAFormula) {
  const std::string bytes = testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
    worksheet_write_formula(sheet, 0, 1, "=A1*2", nullptr);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "B1"), "A1*2");
  WriteIntegerCell(book.ActiveSheet(), 'B', 1, 3);
  EXPECT_EQ(NumberAt(Reopened(book).ActiveSheet(), "B1"), 3.0);
}

TEST(Addresses, PutCellValueReachesPastZAndRow9999AndRefusesWhatIsOffTheSheet) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  Worksheet& sheet = book.ActiveSheet();
  PutCellValue(sheet, "AA10000", std::int32_t{1});
  PutCellValue(sheet, "XFD1048576", VerbatimText{"corner"});
  WriteIntegerCell(sheet, Col('Z') + 1, 2, 2);
  EXPECT_THROW(PutCellValue(sheet, "XFE1", std::int32_t{1}), WorkbookError);
  EXPECT_THROW(PutCellValue(sheet, "A0", std::int32_t{1}), WorkbookError);
  EXPECT_THROW(WriteIntegerCell(sheet, 'A', 1048577, 1), WorkbookError);

  const Workbook saved = Reopened(book);
  EXPECT_EQ(NumberAt(saved.ActiveSheet(), "AA10000"), 1.0);
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "XFD1048576"), "corner");
  EXPECT_EQ(NumberAt(saved.ActiveSheet(), "AA2"), 2.0);
  const pugi::xml_document xml = SheetXml(book);
  EXPECT_STREQ(xml.select_node("//dimension").node().attribute("ref").value(), "A1:XFD1048576");
}

TEST(SharedStrings, ExistingEntriesKeepTheirIndicesAndEqualTextsShareOne) {
  const std::string bytes = testing::XlsxWriterWorkbook([](lxw_workbook* book) {
    lxw_worksheet* first = workbook_add_worksheet(book, "Sheet1");
    lxw_worksheet* second = workbook_add_worksheet(book, "Other");
    worksheet_write_string(first, 0, 0, "alpha", nullptr);
    worksheet_write_string(second, 0, 0, "beta", nullptr);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  WriteTextCell(book.ActiveSheet(), 'B', 1, "beta");
  WriteTextCell(book.ActiveSheet(), 'B', 2, "gamma");
  WriteTextCell(book.ActiveSheet(), 'B', 3, "gamma");
  const std::string saved = book.SaveToMemory();

  const pugi::xml_document strings = testing::PartXml(saved, "xl/sharedStrings.xml");
  const pugi::xpath_node_set items = strings.select_nodes("/sst/si");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_STREQ(items[0].node().child("t").text().get(), "alpha");
  EXPECT_STREQ(items[1].node().child("t").text().get(), "beta");
  EXPECT_STREQ(items[2].node().child("t").text().get(), "gamma");
  // The other sheet still finds "beta" at index 1.
  const pugi::xml_document other = testing::PartXml(saved, "xl/worksheets/sheet2.xml");
  EXPECT_STREQ(other.select_node("//c[@r='A1']/v").node().text().get(), "1");
  const pugi::xml_document sheet = testing::PartXml(saved, "xl/worksheets/sheet1.xml");
  EXPECT_STREQ(sheet.select_node("//c[@r='B3']/v").node().text().get(), "2");
}

TEST(SharedStrings, AWorkbookWithoutStringsGetsATable) {
  const std::string bytes = testing::XlsxWriterSheet(
      [](lxw_workbook*, lxw_worksheet* sheet) { worksheet_write_number(sheet, 0, 0, 1, nullptr); });
  ASSERT_EQ(testing::ZipEntry(bytes, "xl/sharedStrings.xml"), "");
  Workbook book = Workbook::LoadFromMemory(bytes);
  WriteVerbatimTextCell(book.ActiveSheet(), 'A', 2, "first text");
  EXPECT_EQ(TextAt(Reopened(book).ActiveSheet(), "A2"), "first text");
}

TEST(SharedStrings, RichTextEntriesAreKept) {
  const std::string bytes = testing::XlsxWriterSheet([](lxw_workbook* book, lxw_worksheet* sheet) {
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    char plain_text[] = "plain ";
    char bold_text[] = "bold";
    lxw_rich_string_tuple plain = {nullptr, plain_text};
    lxw_rich_string_tuple strong = {bold, bold_text};
    lxw_rich_string_tuple* parts[] = {&plain, &strong, nullptr};
    worksheet_write_rich_string(sheet, 0, 0, parts, nullptr);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  EXPECT_EQ(TextAt(book.ActiveSheet(), "A1"), "plain bold");
  WriteTextCell(book.ActiveSheet(), 'A', 2, "plain bold");
  const pugi::xml_document strings = testing::PartXml(book.SaveToMemory(), "xl/sharedStrings.xml");
  const pugi::xpath_node_set items = strings.select_nodes("/sst/si");
  ASSERT_EQ(items.size(), 2u);  // the rich entry is no plain "plain bold"
  EXPECT_EQ(items[0].node().select_nodes("r").size(), 2u);
}

TEST(SharedStrings, TextIsStoredExactlyAndCharactersXmlCannotHoldAreDropped) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  Worksheet& sheet = book.ActiveSheet();
  WriteVerbatimTextCell(sheet, 'A', 2, "  two  blanks  ");
  WriteVerbatimTextCell(sheet, 'A', 3, "bell\a and nul");
  WriteVerbatimTextCell(sheet, 'A', 4, "line\r\nend");
  WriteVerbatimTextCell(sheet, 'A', 5, "_x0041_ <&> \"'");
  WriteVerbatimTextCell(sheet, 'A', 6, "bad \xff utf-8 \xce\xbcg");
  const Workbook saved = Reopened(book);
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "A2"), "  two  blanks  ");
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "A3"), "bell and nul");
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "A4"), "line\r\nend");
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "A5"), "_x0041_ <&> \"'");
  EXPECT_EQ(TextAt(saved.ActiveSheet(), "A6"), "bad  utf-8 \xce\xbcg");
}

TEST(SharedStrings, TextLongerThanACellHoldsIsRefused) {
  Workbook book = Workbook::LoadFromMemory(FormattedTemplate());
  EXPECT_NO_THROW(WriteVerbatimTextCell(book.ActiveSheet(), 'A', 2, std::string(32767, 'x')));
  EXPECT_THROW(WriteVerbatimTextCell(book.ActiveSheet(), 'A', 3, std::string(32768, 'x')),
               WorkbookError);
}

}  // namespace
}  // namespace korvanta::workbook
