// Excel 2010 extensions of a sample pattern row (data bar with its x14 twin, icon set, a
// conditional format and a list validation reading another sheet, a sparkline) under every
// row and column operation: they must do what their plain forms do.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "office_checks.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::PartXml;
using testing::ZipEntries;
using testing::ZipEntry;
using testing::ZipOf;

constexpr std::string_view kSheet = "xl/worksheets/sheet1.xml";
constexpr std::string_view kX14 = "http://schemas.microsoft.com/office/spreadsheetml/2009/9/main";
constexpr std::string_view kXm = "http://schemas.microsoft.com/office/excel/2006/main";

// `text` with the last `from` replaced by `to`.
std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const auto at = text.rfind(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Header row 1, the pattern row 2 (B2 a data bar, C2 an icon set, D2 a rule reading
// Lists!$B$1, A2 a list from Lists!$A$1:$A$3, E2 a sparkline of B2:D2), a total in row 4.
// libxlsxwriter writes the data bar's twins; the rest is added as Excel writes it.
std::string ExtensionsTemplate() {
  const std::string written = testing::XlsxWriterWorkbook([](lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_worksheet* lists = workbook_add_worksheet(book, "Lists");
    const char* headers[] = {"Name", "A", "B", "C", "Trend"};
    for (lxw_col_t col = 0; col < 5; ++col)
      worksheet_write_string(sheet, 0, col, headers[col], nullptr);
    worksheet_write_string(sheet, 1, 0, "x", nullptr);
    for (lxw_col_t col = 1; col < 4; ++col) worksheet_write_number(sheet, 1, col, col, nullptr);
    worksheet_write_formula(sheet, 3, 1, "=SUM(B2:B2)", nullptr);
    lxw_conditional_format bar{};
    bar.type = LXW_CONDITIONAL_DATA_BAR;
    bar.data_bar_2010 = LXW_TRUE;
    worksheet_conditional_format_cell(sheet, 1, 1, &bar);
    lxw_conditional_format icons{};
    icons.type = LXW_CONDITIONAL_TYPE_ICON_SETS;
    icons.icon_style = LXW_CONDITIONAL_ICONS_3_TRAFFIC_LIGHTS_UNRIMMED;
    worksheet_conditional_format_cell(sheet, 1, 2, &icons);
    const char* items[] = {"low", "mid", "high"};
    for (lxw_row_t row = 0; row < 3; ++row)
      worksheet_write_string(lists, row, 0, items[row], nullptr);
    worksheet_write_number(lists, 0, 1, 2, nullptr);
  });
  std::string sheet = ZipEntry(written, kSheet);
  sheet = Replaced(sheet, "</x14:conditionalFormattings>",
                   "<x14:conditionalFormatting xmlns:xm=\"" + std::string(kXm) +
                       "\"><x14:cfRule type=\"cellIs\" priority=\"3\" operator=\"greaterThan\" "
                       "id=\"{00000000-0000-0000-0000-0000000000D2}\"><xm:f>Lists!$B$1</xm:f>"
                       "<x14:dxf><font><b/></font></x14:dxf></x14:cfRule><xm:sqref>D2</xm:sqref>"
                       "</x14:conditionalFormatting></x14:conditionalFormattings>");
  sheet = Replaced(
      sheet, "</extLst>",
      "<ext uri=\"{CCE6A557-97BC-4b89-ADB6-D9C93CAAB3DF}\" xmlns:x14=\"" + std::string(kX14) +
          "\"><x14:dataValidations count=\"1\" xmlns:xm=\"" + std::string(kXm) +
          "\"><x14:dataValidation type=\"list\" allowBlank=\"1\"><x14:formula1>"
          "<xm:f>Lists!$A$1:$A$3</xm:f></x14:formula1><xm:sqref>A2</xm:sqref>"
          "</x14:dataValidation></x14:dataValidations></ext>"
          "<ext uri=\"{05C60535-1F16-4fd2-B633-F4F36F0B64E0}\" xmlns:x14=\"" +
          std::string(kX14) + "\"><x14:sparklineGroups xmlns:xm=\"" + std::string(kXm) +
          "\"><x14:sparklineGroup displayEmptyCellsAs=\"gap\"><x14:colorSeries theme=\"4\"/>"
          "<x14:sparklines><x14:sparkline><xm:f>Sheet1!B2:D2</xm:f><xm:sqref>E2</xm:sqref>"
          "</x14:sparkline></x14:sparklines></x14:sparklineGroup></x14:sparklineGroups></ext>"
          "</extLst>");
  auto entries = ZipEntries(written);
  for (auto& [name, content] : entries) {
    if (name == kSheet) content = sheet;
  }
  return ZipOf(entries);
}

std::string Text(const pugi::xml_document& doc, const std::string& xpath) {
  return doc.select_node(xpath.c_str()).node().text().get();
}

std::string Attribute(const pugi::xml_document& doc, const std::string& xpath, const char* name) {
  return doc.select_node(xpath.c_str()).node().attribute(name).value();
}

// The range list of the x14 element `owner` that meets `condition`.
std::string X14Sqref(const pugi::xml_document& doc, const std::string& owner,
                     const std::string& condition = "true()") {
  return Text(doc, "//*[local-name()='" + owner + "'][" + condition + "]/*[local-name()='sqref']");
}

std::vector<std::pair<std::string, std::string>> Sparklines(const pugi::xml_document& doc) {
  std::vector<std::pair<std::string, std::string>> found;
  for (const pugi::xpath_node& node : doc.select_nodes("//*[local-name()='sparkline']")) {
    found.emplace_back(node.node().select_node("*[local-name()='sqref']").node().text().get(),
                       node.node().select_node("*[local-name()='f']").node().text().get());
  }
  return found;
}

// Every plain rule linked to an x14 rule has the range of its twin.
void ExpectTwinsAgree(const pugi::xml_document& doc) {
  for (const pugi::xpath_node& id : doc.select_nodes("//cfRule//*[local-name()='id']")) {
    const std::string plain =
        id.node().select_node("ancestor::conditionalFormatting").node().attribute("sqref").value();
    const std::string twin =
        Text(doc, "//*[local-name()='cfRule'][@id='" + std::string(id.node().text().get()) +
                      "']/../*[local-name()='sqref']");
    EXPECT_EQ(plain, twin) << id.node().text().get();
  }
}

struct Case {
  const char* operation;
  std::function<void(Worksheet&)> edit;
  const char* bar;         // plain and x14 range of the data bar
  const char* icons;       // plain range of the icon set
  const char* other_rule;  // x14 rule reading Lists!$B$1
  const char* list;        // x14 list validation
  std::vector<std::pair<std::string, std::string>> sparklines;
  const char* total_at;  // where the total below the pattern row is
  const char* total;
};

TEST(ExcelExtensions, FollowThePatternRowAsTheirPlainFormsDo) {
  const std::string original = ExtensionsTemplate();
  const std::vector<Case> cases = {
      {"inserted copies",
       [](Worksheet& sheet) { InsertCopiedRows(sheet, 3, "2:2"); },
       "B5 B2:B4",
       "C5 C2:C4",
       "D5 D2:D4",
       "A5 A2:A4",
       {{"E5", "Sheet1!B5:D5"},
        {"E2", "Sheet1!B2:D2"},
        {"E3", "Sheet1!B3:D3"},
        {"E4", "Sheet1!B4:D4"}},
       "B7",
       "SUM(B5:B5)"},
      {"pasted copies",
       [](Worksheet& sheet) { CopyRows(sheet, "2:2", "3:3"); },
       "B2:B3",
       "C2:C3",
       "D2:D3",
       "A2:A3",
       {{"E2", "Sheet1!B2:D2"}, {"E3", "Sheet1!B3:D3"}},
       "B4",
       "SUM(B2:B2)"},
      {"an inserted column",
       [](Worksheet& sheet) { InsertColumns(sheet, 1, "C:C"); },
       "B2",
       "D2",
       "E2",
       "A2",
       {{"F2", "Sheet1!B2:E2"}},
       "B4",
       "SUM(B2:B2)"},
      {"the pattern row deleted",
       [](Worksheet& sheet) { DeleteRows(sheet, 1, "2:2"); },
       "",
       "",
       "",
       "",
       {},
       "B3",
       "SUM(#REF!)"},
  };
  testing::CheckedOutputs outputs("extensions");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.operation);
    Workbook book = Workbook::LoadFromMemory(original);
    test.edit(book.ActiveSheet());
    const std::string saved = outputs.Save(book, original, {kSheet});
    const pugi::xml_document doc = PartXml(saved, kSheet);
    EXPECT_EQ(Attribute(doc, "//conditionalFormatting[cfRule/@type='dataBar']", "sqref"), test.bar);
    EXPECT_EQ(X14Sqref(doc, "conditionalFormatting", "*[@type='dataBar']"), test.bar);
    EXPECT_EQ(Attribute(doc, "//conditionalFormatting[cfRule/@type='iconSet']", "sqref"),
              test.icons);
    EXPECT_EQ(X14Sqref(doc, "conditionalFormatting", "*[@type='cellIs']"), test.other_rule);
    EXPECT_EQ(X14Sqref(doc, "dataValidation"), test.list);
    EXPECT_EQ(Sparklines(doc), test.sparklines);
    ExpectTwinsAgree(doc);
    EXPECT_EQ(testing::FormulaAt(book.ActiveSheet(), test.total_at), test.total);
    if (test.list[0] != '\0') {
      EXPECT_EQ(Text(doc, "//*[local-name()='dataValidation']//*[local-name()='f']"),
                "Lists!$A$1:$A$3");
      EXPECT_EQ(Attribute(doc, "//*[local-name()='dataValidations']", "count"), "1");
    } else {
      // Nothing is left of the extensions, nor of their lists.
      EXPECT_FALSE(doc.select_node("//*[local-name()='ext']"));
      EXPECT_FALSE(doc.select_node("//*[local-name()='extLst'][not(*)]"));
    }
  }
  outputs.ExpectOfficeOpens();
}

TEST(ExcelExtensions, PastingOverASparklineReplacesIt) {
  Workbook book = Workbook::LoadFromMemory(ExtensionsTemplate());
  CopyRows(book.ActiveSheet(), "2:2", "2:3");  // the source itself among the targets
  CopyRows(book.ActiveSheet(), "1:1", "3:3");  // a row without sparklines over one with
  const pugi::xml_document doc = testing::SheetXml(book);
  EXPECT_EQ(Sparklines(doc),
            (std::vector<std::pair<std::string, std::string>>{{"E2", "Sheet1!B2:D2"}}));
}

}  // namespace
}  // namespace korvanta::workbook
