// The rule for copies of whole rows (InsertCopiedRows, CopyRows): the formulas of the copies
// and the merged areas around them, on templates shaped as Excel writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "workbook/cell_area.h"
#include "workbook/cell_writing.h"
#include "workbook/formula_refs.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;

TEST(RowCopyFormulas, InsertedCopiesReadAsThePatternRowAfterTheInsertion) {
  struct Case {
    const char* formula;
    RowCopy copy;
    const char* expected;
  };
  // Two copies of row 9 inserted at row 9 (the original ends in row 11); row 19 pasted on 21.
  const RowCopy top{9, 9, 0, 2};
  const RowCopy second{9, 9, 1, 2};
  const RowCopy pasted{19, 19, 2, 0};
  const Case cases[] = {
      // The table below moved down by two rows, for every copy as for the original.
      {"SUMIF($B$19:$B$82,A9,$C$19:$C$82)", top, "SUMIF($B$21:$B$84,A9,$C$21:$C$84)"},
      {"SUMIF($B$19:$B$82,A9,$C$19:$C$82)", second, "SUMIF($B$21:$B$84,A10,$C$21:$C$84)"},
      {"B19+B$20+$B20+C10", top, "B21+B$22+$B22+C12"},
      // Rows above stay; the copied row is the copy's own row, absolute or relative.
      {"B6+$B$6+B$6", second, "B6+$B$6+B$6"},
      {"C9*2+$C$9+$E9", second, "C10*2+$C$10+$E10"},
      // Ranges: each end by where it points.
      {"SUM(B8:B10)+SUM(B$5:B9)+SUM(B9:B30)", second, "SUM(B8:B12)+SUM(B$5:B10)+SUM(B10:B32)"},
      {"SUM(9:9,10:20,B:B)", second, "SUM(10:10,12:22,B:B)"},
      // Qualified with the sheet's own name or another's; names and strings are no references.
      {"Sheet1!$B$19+'Sheet1'!B9", second, "Sheet1!$B$21+'Sheet1'!B10"},
      {"Other!B19+Other!$B$9+SUM(Samples)&\"B19\"", second,
       "Other!B19+Other!$B$9+SUM(Samples)&\"B19\""},
      {"B1048575+A1", top, "#REF!+A1"},
      // Pasted over rows: relative parts move by the offset on any sheet, absolute ones stay.
      {"C19*$B$10+B18+Other!A1+$C$19", pasted, "C21*$B$10+B20+Other!A3+$C$19"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdjustFormulaForRowCopy(c.formula, "Sheet1", c.copy), c.expected) << c.formula;
  }
}

TEST(RowCopyFormulas, EveryCopyOfTheWavelengthRowReadsTheMovedSampleTable) {
  Workbook book = Workbook::LoadFromMemory(testing::WavelengthTableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  InsertCopiedRows(sheet, 2, "9:9");

  for (const int row : {9, 10, 11}) {
    const std::string r = std::to_string(row);
    EXPECT_EQ(FormulaAt(sheet, "B" + r), "SUMIF($B$21:$B$84,A" + r + ",$C$21:$C$84)") << r;
    EXPECT_EQ(FormulaAt(sheet, "C" + r), "B6") << r;
    EXPECT_EQ(FormulaAt(sheet, "D" + r), "B" + r + "*$B$6") << r;  // the shared group
    EXPECT_EQ(FormulaAt(sheet, "F" + r), "D" + r + "*$B$6") << r;
    EXPECT_EQ(FormulaAt(sheet, "G" + r), "MAX($C$21:$C$84*(A" + r + ">0))") << r;
    EXPECT_EQ(FormulaAt(sheet, "H" + r), "SUM(Samples)+C12") << r;
  }
  EXPECT_EQ(FormulaAt(sheet, "B87"), "SUM(B21:B84)");

  const std::string saved = book.SaveToMemory();
  const pugi::xml_document xml = testing::PartXml(saved, "xl/worksheets/sheet1.xml");
  for (const char* cell : {"G9", "G10", "G11"}) {
    const pugi::xml_node f =
        xml.select_node((std::string("//c[@r='") + cell + "']/f").c_str()).node();
    EXPECT_EQ(std::string(f.attribute("t").value()), "array") << cell;
    EXPECT_EQ(std::string(f.attribute("ref").value()), cell);
  }
  const pugi::xml_document workbook = testing::PartXml(saved, "xl/workbook.xml");
  EXPECT_EQ(std::string(workbook.select_node("//definedName").node().text().get()),
            "Sheet1!$B$21:$B$84");
  const pugi::xml_document other = testing::PartXml(saved, "xl/worksheets/sheet2.xml");
  EXPECT_EQ(std::string(other.select_node("//c[@r='A1']/f").node().text().get()), "Sheet1!B11");
  EXPECT_EQ(std::string(other.select_node("//c[@r='A2']/f").node().text().get()),
            "SUM(Sheet1!$B$21:$B$84)");
}

TEST(RowCopyFormulas, PastedCopiesMoveRelativePartsAsPastingDoes) {
  Workbook book = Workbook::LoadFromMemory(testing::WavelengthTableTemplate());
  Worksheet& sheet = book.ActiveSheet();
  CopyRows(sheet, "9:9", "10:11");
  EXPECT_EQ(FormulaAt(sheet, "B11"), "SUMIF($B$19:$B$82,A11,$C$19:$C$82)");
  EXPECT_EQ(FormulaAt(sheet, "C11"), "B8");
  EXPECT_EQ(FormulaAt(sheet, "E10"), "C10*$B$6");
  EXPECT_EQ(FormulaAt(sheet, "G11"), "MAX($C$19:$C$82*(A11>0))");
  EXPECT_EQ(FormulaAt(sheet, "B9"), "SUMIF($B$19:$B$82,A9,$C$19:$C$82)");  // the source stays
}

// A sheet with these merged areas ("A8:A10"), each holding its own name as text.
Workbook WithMerges(const std::vector<std::string>& merges) {
  return Workbook::LoadFromMemory(
      testing::XlsxWriterSheet([&](lxw_workbook*, lxw_worksheet* sheet) {
        for (int row = 0; row < 30; ++row) worksheet_write_number(sheet, row, 7, row + 1, nullptr);
        for (const std::string& text : merges) {
          const CellArea area = *CellArea::Parse(text);
          worksheet_merge_range(sheet, static_cast<lxw_row_t>(area.first_row - 1),
                                static_cast<lxw_col_t>(area.first_col - 1),
                                static_cast<lxw_row_t>(area.last_row - 1),
                                static_cast<lxw_col_t>(area.last_col - 1), text.c_str(), nullptr);
        }
      }));
}

std::vector<std::string> SavedMerges(const Workbook& book) {
  std::vector<std::string> refs;
  const pugi::xml_document sheet = testing::SheetXml(book);
  for (const auto& merge : sheet.select_nodes("//mergeCell")) {
    refs.emplace_back(merge.node().attribute("ref").value());
  }
  std::sort(refs.begin(), refs.end());
  return refs;
}

TEST(RowCopyMerges, GrowOrStayWhereTheyHoldTheCopiesAndAreRefusedWhereCut) {
  struct Case {
    const char* what;
    std::vector<std::string> merges;
    std::function<void(Worksheet&)> edit;
    std::vector<std::string> expected;  // sorted; empty with an error
    std::vector<std::string> error;     // what the message names
  };
  const auto insert_two = [](Worksheet& sheet) { InsertCopiedRows(sheet, 2, "9:9"); };
  const auto paste_three = [](Worksheet& sheet) { CopyRows(sheet, "9:9", "20:22"); };
  const Case cases[] = {
      {"merges reaching from above over the copied row grow over the inserted copies; one "
       "within the row is copied",
       {"A8:A10", "C8:C9", "D9:E9", "F20:F21"},
       insert_two,
       {"A8:A12", "C8:C11", "D10:E10", "D11:E11", "D9:E9", "F22:F23"},
       {}},
      {"a merge from the copied row downwards can not go with the copies",
       {"B9:B10"},
       insert_two,
       {},
       {"B9:B10", "row 9", "9:9"}},
      {"a merge ending inside a copied block can not go with the copies",
       {"A8:A9"},
       [](Worksheet& sheet) { InsertCopiedRows(sheet, 1, "9:10"); },
       {},
       {"A8:A9", "row 9", "9:10"}},
      {"pasting over part of a merge would cut it",
       {"F21:F23"},
       paste_three,
       {},
       {"F21:F23", "row 22", "20:22"}},
      {"pasting over part of a merge from above would cut it",
       {"F19:F20"},
       paste_three,
       {},
       {"F19:F20", "row 20", "20:22"}},
      {"a merge reaching into the copied row can not be pasted elsewhere",
       {"A8:A10"},
       paste_three,
       {},
       {"A8:A10", "row 9", "9:9"}},
      {"a merge within the pasted-over rows gives way, as pasting whole rows does",
       {"F20:F22", "D9:E9"},
       paste_three,
       {"D20:E20", "D21:E21", "D22:E22", "D9:E9"},
       {}},
      {"a merge from above over the copied row grows over pasted rows that adjoin it",
       {"A4:A5", "B4:B6"},
       [](Worksheet& sheet) { CopyRows(sheet, "5:5", "6:8"); },
       {"A4:A8", "B4:B8"},
       {}},
      {"a merge from above over the copied and the pasted-over rows holds the copies and stays",
       {"A8:A30"},
       paste_three,
       {"A8:A30"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Workbook book = WithMerges(c.merges);
    if (c.error.empty()) {
      c.edit(book.ActiveSheet());
      EXPECT_EQ(SavedMerges(book), c.expected);
      continue;
    }
    try {
      c.edit(book.ActiveSheet());
      ADD_FAILURE() << "not refused";
    } catch (const WorkbookError& error) {
      for (const std::string& part : c.error) {
        EXPECT_NE(std::string(error.what()).find(part), std::string::npos) << error.what();
      }
    }
    // Refused before anything moved.
    EXPECT_EQ(testing::NumberAt(book.ActiveSheet(), "H30"), 30.0);
    std::vector<std::string> before = c.merges;
    std::sort(before.begin(), before.end());
    EXPECT_EQ(SavedMerges(book), before);
  }
}

// Rows and columns the report inserted first do not show in a refusal: it names the cells as
// the template has them.
TEST(Refusals, NameTheCellsAsTheTemplateHasThem) {
  const struct {
    const char* what;
    std::vector<std::string> merges;
    std::function<void(Worksheet&)> edit;
    std::vector<std::string> message;  // what it names
  } cases[] = {
      {"a merge across copied rows after a wavelength column went in",
       {"F24:G44"},
       [](Worksheet& sheet) {
         InsertColumns(sheet, 1, "C:C");
         InsertCopiedRows(sheet, 1, "24:24");
       },
       {"F24:G44 on sheet Sheet1 reach across row 24, the edge of the rows 24:24 that the report "
        "copies"}},
      {"a merge cut by a paste after rows went in above it",
       {"F19:F20"},
       [](Worksheet& sheet) {
         InsertCopiedRows(sheet, 2, "5:5");
         CopyRows(sheet, "11:11", "22:24");
       },
       {"F19:F20 on sheet Sheet1 reach across row 20, the edge of the rows 20:22 that the report "
        "pastes over"}},
      {"a cell pushed off the sheet's last column by a second insertion",
       {},
       [](Worksheet& sheet) {
         PutCellValue(sheet, "XFC5", "last");
         InsertColumns(sheet, 1, "B:B");
         InsertColumns(sheet, 1, "D:D");
       },
       {"The sheet can not hold the inserted columns: its cell XFC5 would be pushed off its end."}},
  };
  for (const auto& [what, merges, edit, message] : cases) {
    SCOPED_TRACE(what);
    Workbook book = WithMerges(merges);
    try {
      edit(book.ActiveSheet());
      ADD_FAILURE() << "not refused";
    } catch (const WorkbookError& error) {
      for (const std::string& part : message) {
        EXPECT_NE(std::string(error.what()).find(part), std::string::npos) << error.what();
      }
    }
  }
}

}  // namespace
}  // namespace korvanta::workbook
