// A sample table formatted as an Excel table under the row and column operations and header
// writes: it grows over the samples, names inserted columns uniquely, renames its columns
// after their header cells, and keeps its totals row and calculated column.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "office_checks.h"
#include "workbook/cell_area.h"
#include "workbook/cell_writing.h"
#include "workbook/structured_refs.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;
using testing::PartXml;
using testing::TextAt;

constexpr std::string_view kSheet = "xl/worksheets/sheet1.xml";
constexpr std::string_view kTable = "xl/tables/table1.xml";

// "Samples" in A3:D4 (header row 3, pattern row 4, a calculated column C), or with a totals
// row in row 5; a total below in row 7. `note_formula` is a formula for the pattern row's Note
// cell.
std::string SampleTable(bool totals, const char* note_formula = nullptr) {
  return testing::XlsxWriterSheet([totals, note_formula](lxw_workbook*, lxw_worksheet* sheet) {
    worksheet_write_string(sheet, 0, 0, "File", nullptr);
    if (note_formula) worksheet_write_formula(sheet, 3, 3, note_formula, nullptr);
    worksheet_write_string(sheet, 3, 0, "s1", nullptr);
    worksheet_write_number(sheet, 3, 1, 0.5, nullptr);
    worksheet_write_formula(sheet, 6, 1, "=SUM(B4:B4)", nullptr);
    // libxlsxwriter takes its texts as char*.
    char sample_name[] = "Sample", total[] = "Total", abs_name[] = "Abs", twice_name[] = "Twice",
         formula[] = "=Samples[[#This Row],[Abs]]*2", note_name[] = "Note",
         table_name[] = "Samples";
    lxw_table_column sample{};
    sample.header = sample_name;
    sample.total_string = total;
    lxw_table_column abs{};
    abs.header = abs_name;
    abs.total_function = LXW_TABLE_FUNCTION_SUM;
    lxw_table_column twice{};
    twice.header = twice_name;
    twice.formula = formula;
    lxw_table_column note{};
    note.header = note_name;
    lxw_table_column* columns[] = {&sample, &abs, &twice, &note, nullptr};
    lxw_table_options options{};
    options.name = table_name;
    options.columns = columns;
    options.total_row = totals ? LXW_TRUE : LXW_FALSE;
    worksheet_add_table(sheet, 2, 0, totals ? 4 : 3, 3, &options);
  });
}

std::string Attribute(const pugi::xml_document& doc, const char* xpath, const char* name) {
  return doc.select_node(xpath).node().attribute(name).value();
}

std::vector<std::string> ColumnNames(const pugi::xml_document& table) {
  std::vector<std::string> names;
  for (const pugi::xpath_node& column : table.select_nodes("//tableColumn")) {
    names.emplace_back(column.node().attribute("name").value());
  }
  return names;
}

struct Case {
  const char* operation;
  bool totals;
  std::function<void(Worksheet&)> edit;
  const char* ref;
  const char* filter;
  std::vector<std::string> names;
  const char* calculated = "Samples[[#This Row],[Abs]]*2";
};

TEST(ExcelTables, GrowOverTheSamplesAndKeepTheirColumnsNamed) {
  const std::vector<std::string> names = {"Sample", "Abs", "Twice", "Note"};
  const std::vector<Case> cases = {
      {"copies inserted at the pattern row", false,
       [](Worksheet& sheet) { InsertCopiedRows(sheet, 3, "4:4"); }, "A3:D7", "A3:D7", names},
      {"copies pasted directly below", false,
       [](Worksheet& sheet) { CopyRows(sheet, "4:4", "5:8"); }, "A3:D8", "A3:D8", names},
      {"copies pasted a row apart", false, [](Worksheet& sheet) { CopyRows(sheet, "4:4", "6:8"); },
       "A3:D4", "A3:D4", names},
      {"copies inserted above a totals row", true,
       [](Worksheet& sheet) { InsertCopiedRows(sheet, 2, "4:4"); }, "A3:D7", "A3:D6", names},
      {"copies pasted over a totals row", true,
       [](Worksheet& sheet) { CopyRows(sheet, "4:4", "5:6"); }, "A3:D6", "A3:D6", names},
      {"a column inserted inside",
       false,
       [](Worksheet& sheet) { InsertColumns(sheet, 1, "C:C"); },
       "A3:E4",
       "A3:E4",
       {"Sample", "Abs", "Column1", "Twice", "Note"}},
      {"columns inserted at the first column", false,
       [](Worksheet& sheet) { InsertColumns(sheet, 2, "A:A"); }, "C3:F4", "C3:F4", names},
      {"the only data row deleted", false, [](Worksheet& sheet) { DeleteRows(sheet, 1, "4:4"); },
       "A3:D4", "A3:D4", names},
      {"header cells written",
       false,
       [](Worksheet& sheet) {
         WriteTextCell(sheet, 'B', 3, "WL1 (260 nm)");
         WriteTextCell(sheet, 'D', 3, "sample");
         WriteTextCell(sheet, 'C', 3, "260");
       },
       "A3:D4",
       "A3:D4",
       {"Sample", "WL1 (260 nm)", "260", "sample2"},
       "Samples[[#This Row],[WL1 (260 nm)]]*2"},
  };
  testing::CheckedOutputs outputs("table");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.operation);
    const std::string original = SampleTable(test.totals);
    Workbook book = Workbook::LoadFromMemory(original);
    test.edit(book.ActiveSheet());
    const std::string saved = outputs.Save(book, original, {kTable, kSheet});
    const pugi::xml_document table = PartXml(saved, kTable);
    EXPECT_EQ(Attribute(table, "/table", "ref"), test.ref);
    EXPECT_EQ(Attribute(table, "//autoFilter", "ref"), test.filter);
    EXPECT_EQ(ColumnNames(table), test.names);
    EXPECT_EQ(Attribute(table, "//tableColumns", "count"), std::to_string(test.names.size()));
    // Each header cell shows its column's name.
    const auto header = CellArea::Parse(test.ref);
    for (std::size_t i = 0; i < test.names.size(); ++i) {
      const CellRef ref{header->first_col + static_cast<int>(i), header->first_row};
      EXPECT_EQ(TextAt(book.ActiveSheet(), CellAddress(ref)), test.names[i]) << CellAddress(ref);
    }
    EXPECT_EQ(table.select_node("//calculatedColumnFormula").node().text().get(),
              std::string(test.calculated));
  }
  outputs.ExpectOfficeOpens();
}

TEST(ExcelTables, InsertedCopiesCarryTheCalculatedColumnAndTheTotalsRowFollows) {
  Workbook book = Workbook::LoadFromMemory(SampleTable(true));
  InsertCopiedRows(book.ActiveSheet(), 2, "4:4");
  for (const char* cell : {"C4", "C5", "C6"}) {
    EXPECT_EQ(FormulaAt(book.ActiveSheet(), cell), "Samples[[#This Row],[Abs]]*2") << cell;
  }
  EXPECT_EQ(TextAt(book.ActiveSheet(), "A7"), "Total");
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "B7"), "SUBTOTAL(109,[Abs])");
}

TEST(ExcelTables, SamplesPastedOverTheTotalsRowSwitchItOff) {
  Workbook book = Workbook::LoadFromMemory(SampleTable(true));
  CopyRows(book.ActiveSheet(), "4:4", "5:6");
  const pugi::xml_document table = PartXml(book.SaveToMemory(), kTable);
  EXPECT_FALSE(table.document_element().attribute("totalsRowCount"));
  EXPECT_STREQ(table.document_element().attribute("totalsRowShown").value(), "0");
  // The columns keep their totals, for when the row is switched on again.
  EXPECT_STREQ(table.select_node("//tableColumn[2]").node().attribute("totalsRowFunction").value(),
               "sum");
}

TEST(ExcelTables, FormulasFollowARenamedColumn) {
  Workbook book = Workbook::LoadFromMemory(SampleTable(true));
  WriteTextCell(book.ActiveSheet(), 'B', 3, "WL1 (260 nm)");
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "C4"), "Samples[[#This Row],[WL1 (260 nm)]]*2");
  EXPECT_EQ(FormulaAt(book.ActiveSheet(), "B5"), "SUBTOTAL(109,[[WL1 (260 nm)]])");
  const pugi::xml_document table = PartXml(book.SaveToMemory(), kTable);
  EXPECT_STREQ(table.select_node("//tableColumn[2]/totalsRowFormula").node().text().get(), "");
  EXPECT_STREQ(table.select_node("//tableColumn[2]").node().attribute("totalsRowFunction").value(),
               "sum");
}

// The table's header cache follows it as it grows, so a column renamed afterwards is renamed
// in the copies' own references to their row too.
TEST(ExcelTables, AColumnRenamedAfterTheTableGrewIsRenamedInEveryCopy) {
  const std::vector<std::pair<const char*, std::function<void(Worksheet&)>>> edits = {
      {"copies inserted", [](Worksheet& sheet) { InsertCopiedRows(sheet, 3, "4:4"); }},
      {"copies pasted below", [](Worksheet& sheet) { CopyRows(sheet, "4:4", "5:7"); }},
  };
  for (const auto& [operation, edit] : edits) {
    SCOPED_TRACE(operation);
    Workbook book = Workbook::LoadFromMemory(SampleTable(false, "=[@Abs]*3"));
    edit(book.ActiveSheet());
    WriteTextCell(book.ActiveSheet(), 'B', 3, "WL1");
    for (const char* cell : {"D4", "D5", "D6", "D7"}) {
      EXPECT_EQ(FormulaAt(book.ActiveSheet(), cell), "[@[WL1]]*3") << cell;
    }
  }
}

TEST(ExcelTables, StructuredReferencesAreRenamedOnlyWhereTheyNameTheColumn) {
  struct Rename {
    const char* formula;
    bool inside_table;
    const char* expected;
  };
  const std::vector<Rename> cases = {
      {"SUM(Samples[Abs])", false, "SUM(Samples[[WL1 (260 nm)]])"},
      {"samples[abs]*2", false, "samples[[WL1 (260 nm)]]*2"},
      {"Samples[[#This Row],[Abs]]", false, "Samples[[#This Row],[WL1 (260 nm)]]"},
      {"SUM(Samples[[Abs]:[Twice]])", false, "SUM(Samples[[WL1 (260 nm)]:[Twice]])"},
      {"[@Abs]+[@[Abs]]", true, "[@[WL1 (260 nm)]]+[@[WL1 (260 nm)]]"},
      {"[@Abs]", false, "[@Abs]"},
      {"Other[Abs]+Samples[Absorbance]", false, "Other[Abs]+Samples[Absorbance]"},
      {"Samples[#Headers]&\"Samples[Abs]\"", false, "Samples[#Headers]&\"Samples[Abs]\""},
      {"[1]Sheet1!A1+[Abs]", true, "[1]Sheet1!A1+[[WL1 (260 nm)]]"},
      {"Samples['#Abs]", false, "Samples['#Abs]"},
  };
  for (const Rename& test : cases) {
    EXPECT_EQ(RenameTableColumnInFormula(test.formula, "Samples", "Abs", "WL1 (260 nm)",
                                         test.inside_table),
              test.expected)
        << test.formula;
  }
  EXPECT_EQ(RenameTableColumnInFormula("Samples['#Abs]", "Samples", "#Abs", "A[1]", false),
            "Samples[[A'[1']]]");
}

TEST(ExcelTables, ATableWhoseRowsAreAllDeletedGoesWithItsPart) {
  const std::string original = SampleTable(false);
  Workbook book = Workbook::LoadFromMemory(original);
  DeleteRows(book.ActiveSheet(), 1, "3:4");
  const std::string saved = book.SaveToMemory();
  EXPECT_EQ(testing::ZipEntry(saved, kTable), "");
  EXPECT_EQ(testing::ZipEntry(saved, "xl/worksheets/_rels/sheet1.xml.rels").find("table"),
            std::string::npos);
  EXPECT_EQ(testing::ZipEntry(saved, "[Content_Types].xml").find("table1"), std::string::npos);
  const pugi::xml_document sheet = PartXml(saved, kSheet);
  EXPECT_FALSE(sheet.select_node("//tableParts"));
  testing::ExpectNoNewSchemaErrors(original, saved, kSheet);
  testing::ExpectOfficeOpens({{"table_deleted.xlsx", saved}});
}

TEST(ExcelTables, ColumnNamesAreMadeUniqueAsExcelMakesThem) {
  const std::vector<std::string> taken = {"Sample", "Name", "name2"};
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Abs", "Abs"}, {"NAME", "NAME3"}, {"sample", "sample2"}, {"", "Column1"}};
  for (const auto& [wanted, expected] : cases) {
    Workbook book = Workbook::LoadFromMemory(SampleTable(false));
    // The other columns are renamed to `taken` first.
    for (std::size_t i = 0; i < taken.size(); ++i) {
      WriteTextCell(book.ActiveSheet(), Col::FromIndex(static_cast<int>(i) + 1), 3, taken[i]);
    }
    if (wanted.empty()) {
      book.ActiveSheet().ClearValue({4, 3});
    } else {
      WriteTextCell(book.ActiveSheet(), 'D', 3, wanted);
    }
    EXPECT_EQ(TextAt(book.ActiveSheet(), "D3"), expected) << wanted;
  }
}

}  // namespace
}  // namespace korvanta::workbook
