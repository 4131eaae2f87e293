#include "workbook/formula_refs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "workbook/cell_address.h"

namespace korvanta::workbook {
namespace {

struct Case {
  const char* formula;
  const char* expected;
};

Shift InsertRows(int at, int count) { return {Shift::Axis::kRows, at, count}; }
Shift DeleteRows(int at, int count) { return {Shift::Axis::kRows, at, -count}; }
Shift InsertColumns(int at, int count) { return {Shift::Axis::kColumns, at, count}; }
Shift DeleteColumns(int at, int count) { return {Shift::Axis::kColumns, at, -count}; }

void ExpectShift(const Shift& shift, std::initializer_list<Case> cases,
                 const char* formula_sheet = "Sheet1", const char* edited_sheet = "Sheet1") {
  for (const Case& c : cases) {
    EXPECT_EQ(AdjustFormulaForShift(c.formula, formula_sheet, edited_sheet, shift), c.expected)
        << c.formula;
  }
}

TEST(ShiftInsertRows, MovesReferencesAtOrBelowAndGrowsStraddlingRanges) {
  ExpectShift(InsertRows(5, 2), {
                                    {"A4", "A4"},
                                    {"A5", "A7"},
                                    {"$A$5", "$A$7"},
                                    {"B$6*$C9", "B$8*$C11"},
                                    {"A1:A4", "A1:A4"},
                                    {"A1:A5", "A1:A7"},
                                    {"A4:B6", "A4:B8"},
                                    {"A5:A9", "A7:A11"},
                                    {"$A$1:$B$9", "$A$1:$B$11"},
                                    {"A5:A5", "A7:A7"},
                                    {"5:5", "7:7"},
                                    {"$4:$5", "$4:$7"},
                                    {"1:4", "1:4"},
                                    {"A:A", "A:A"},
                                    {"a5+a1", "A7+a1"},
                                });
}

TEST(ShiftInsertRows, ReferencesPushedOffTheSheet) {
  ExpectShift(InsertRows(5, 2), {
                                    {"A1048576", "#REF!"},
                                    {"A1048575:B1048576", "#REF!"},
                                    {"A1:A1048576", "A1:A1048576"},
                                    {"5:1048576", "7:1048576"},
                                    {"Sheet1!A1048576", "Sheet1!#REF!"},
                                });
}

TEST(ShiftDeleteRows, CellsInTheBlockBecomeRefErrors) {
  ExpectShift(DeleteRows(5, 3), {
                                    {"A4", "A4"},
                                    {"A5", "#REF!"},
                                    {"$A$7", "#REF!"},
                                    {"A8", "A5"},
                                    {"$B$20", "$B$17"},
                                    {"Sheet1!A6", "Sheet1!#REF!"},
                                    {"'Sheet1'!A6+1", "'Sheet1'!#REF!+1"},
                                    {"SUM(A5:A7)", "SUM(#REF!)"},
                                    {"A6:A6", "#REF!"},
                                    {"5:7", "#REF!"},
                                    {"A:A", "A:A"},
                                });
}

TEST(ShiftDeleteRows, RangesShrinkAroundTheDeletedPart) {
  ExpectShift(DeleteRows(5, 3), {
                                    {"A1:A5", "A1:A4"},
                                    {"A1:A4", "A1:A4"},
                                    {"A5:A10", "A5:A7"},
                                    {"A6:B10", "A5:B7"},
                                    {"A3:A9", "A3:A6"},
                                    {"A8:A9", "A5:A6"},
                                    {"4:8", "4:5"},
                                    {"A1:A1", "A1:A1"},
                                });
  // Straddling the start and the end of an absolute block.
  ExpectShift(DeleteRows(1, 3), {{"$A$1:$B$9", "$A$1:$B$6"}, {"SUM($A$2:$A$3)", "SUM(#REF!)"}});
  ExpectShift(DeleteRows(8, 3), {{"$A$1:$B$9", "$A$1:$B$7"}, {"$A$10:$B$12", "$A$8:$B$9"}});
}

TEST(ShiftColumns, MoveColumnPartsAndLeaveWholeRows) {
  ExpectShift(InsertColumns(3, 1), {
                                       {"B1", "B1"},
                                       {"C1", "D1"},
                                       {"$C$1", "$D$1"},
                                       {"A1:C1", "A1:D1"},
                                       {"C:C", "D:D"},
                                       {"A:B", "A:B"},
                                       {"B:E", "B:F"},
                                       {"5:5", "5:5"},
                                       {"XFD1", "#REF!"},
                                   });
  ExpectShift(DeleteColumns(3, 1), {
                                       {"C1", "#REF!"},
                                       {"D1", "C1"},
                                       {"A1:D9", "A1:C9"},
                                       {"C:C", "#REF!"},
                                       {"B:D", "B:C"},
                                       {"5:7", "5:7"},
                                   });
}

TEST(ShiftTokens, OnlyReferencesChange) {
  ExpectShift(InsertRows(2, 1), {
                                    {"SUM(A1:A3)+Sheet2!B$4", "SUM(A1:A4)+Sheet2!B$4"},
                                    {"\"A5\"&A5", "\"A5\"&A6"},
                                    {"\"say \"\"A5\"\"\"&A5", "\"say \"\"A5\"\"\"&A6"},
                                    {"LOG10(A5)", "LOG10(A6)"},
                                    {"A5*1E5+1.5E-3", "A6*1E5+1.5E-3"},
                                    {"XFE5+A1048577+A0", "XFE5+A1048577+A0"},
                                    {"Table1[Col]+A5", "Table1[Col]+A6"},
                                    {"Table1[[#This Row],[A5]]", "Table1[[#This Row],[A5]]"},
                                    {"[@A5]*2", "[@A5]*2"},
                                    {"Sheet1:Sheet2!A5", "Sheet1:Sheet2!A5"},
                                    {"'Sheet1:Sheet2'!A5", "'Sheet1:Sheet2'!A5"},
                                    {"[1]Sheet1!A5", "[1]Sheet1!A5"},
                                    {"'[Book.xlsx]Sheet1'!A5", "'[Book.xlsx]Sheet1'!A5"},
                                    {"#REF!+#N/A+Sheet1!#REF!+A5", "#REF!+#N/A+Sheet1!#REF!+A6"},
                                    {"IF(A5>0,TRUE,FALSE)", "IF(A6>0,TRUE,FALSE)"},
                                    {"SUM( A5 , B5 )", "SUM( A6 , B6 )"},
                                    {"MyName+Sheet1!MyName+R1C1", "MyName+Sheet1!MyName+R1C1"},
                                    {"_xlfn.CONCAT(A5,\"x\")", "_xlfn.CONCAT(A6,\"x\")"},
                                    {"{1,2;3,4}", "{1,2;3,4}"},
                                    {"A5:A7 B6:C6", "A6:A8 B7:C7"},
                                    {"@A5:A7", "@A6:A8"},
                                    {"A5#", "A6#"},
                                    {"", ""},
                                });
}

TEST(ShiftTokens, MalformedFormulasPassThrough) {
  ExpectShift(InsertRows(2, 1), {
                                    {"\"unterminated A5", "\"unterminated A5"},
                                    {"'unterminated!A5", "'unterminated!A5"},
                                    {"Table1[A5", "Table1[A5"},
                                    {"A5:", "A6:"},
                                    {"A5:B", "A6:B"},
                                    {"(((", "((("},
                                });
}

TEST(ShiftSheets, OnlyReferencesIntoTheEditedSheetMove) {
  // The formula lives on Sheet2; Sheet1 is edited.
  ExpectShift(InsertRows(5, 1),
              {
                  {"A5+Sheet1!A5+sheet1!A5+'Sheet1'!A5+SHEET1!A5",
                   "A5+Sheet1!A6+sheet1!A6+'Sheet1'!A6+SHEET1!A6"},
                  {"Sheet2!A5+'Sheet 1'!A5+Sheet11!A5", "Sheet2!A5+'Sheet 1'!A5+Sheet11!A5"},
              },
              "Sheet2", "Sheet1");
  ExpectShift(InsertRows(5, 1), {{"A5+'It''s'!A5+'It''s'!$B$9", "A6+'It''s'!A6+'It''s'!$B$10"}},
              "It's", "It's");
  ExpectShift(InsertRows(5, 1), {{"A5+Other!A5", "A6+Other!A5"}}, "SHEET1", "sheet1");
  ExpectShift(InsertRows(5, 1), {{"'übersicht'!A5+'Ärger'!A5", "'übersicht'!A6+'Ärger'!A5"}},
              "Sheet1", "Übersicht");
  ExpectShift(DeleteRows(5, 1), {{"'My Sheet'!A5+A5", "'My Sheet'!#REF!+A5"}}, "Sheet1",
              "My Sheet");
}

TEST(ShiftSheets, NoChangeWhenCountIsZero) {
  ExpectShift(InsertRows(1, 0), {{"A1:B2+Sheet1!C3", "A1:B2+Sheet1!C3"}});
}

void ExpectPaste(int rows, int cols, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(AdjustFormulaForPaste(c.formula, rows, cols), c.expected) << c.formula;
  }
}

TEST(Paste, MovesRelativePartsOnly) {
  ExpectPaste(2, 1,
              {
                  {"A1", "B3"},
                  {"$A1", "$A3"},
                  {"A$1", "B$1"},
                  {"$A$1", "$A$1"},
                  {"A1:B2", "B3:C4"},
                  {"$A$1:B2", "$A$1:C4"},
                  {"A:A", "B:B"},
                  {"$A:A", "$A:B"},
                  {"5:5", "7:7"},
                  {"$5:$5", "$5:$5"},
                  {"Sheet2!A1", "Sheet2!B3"},
                  {"'It''s'!A1+\"A1\"", "'It''s'!B3+\"A1\""},
                  {"SUM(A1:A3)*LOG10(A1)", "SUM(B3:B5)*LOG10(B3)"},
                  {"Sheet1:Sheet2!A1+[1]Sheet1!$A1", "Sheet1:Sheet2!B3+[1]Sheet1!$A3"},
                  {"Table1[Col]+MyName", "Table1[Col]+MyName"},
              });
  ExpectPaste(0, 0, {{"a1+Sheet1!b2", "a1+Sheet1!b2"}});
}

TEST(Paste, ReferencesPushedOffTheSheetBecomeRefErrors) {
  ExpectPaste(-1, 0,
              {
                  {"A1", "#REF!"},
                  {"A$1", "A$1"},
                  {"A1:A5+A2", "#REF!+A1"},
                  {"Sheet2!A1", "Sheet2!#REF!"},
                  {"1:1", "#REF!"},
                  {"A:A", "A:A"},
              });
  ExpectPaste(0, 1, {{"XFD1+XFC1", "#REF!+XFD1"}});
  ExpectPaste(1, 0, {{"A1048576", "#REF!"}});
}

TEST(Paste, AMixedRangeThatCrossesItselfStaysOrdered) {
  ExpectPaste(-3, 0, {{"$A$5:A6", "$A3:A$5"}});
  ExpectPaste(0, -2, {{"$B1:C1", "A1:$B1"}});
}

TEST(Areas, ShiftSingleAreas) {
  const struct {
    const char* area;
    Shift shift;
    std::optional<std::string> expected;
  } cases[] = {
      {"B3", InsertRows(3, 2), "B5"},
      {"B3", InsertRows(4, 2), "B3"},
      {"A1:C4", InsertRows(2, 1), "A1:C5"},
      {"A1:C4", DeleteRows(1, 4), std::nullopt},
      {"A1:C4", DeleteRows(2, 9), "A1:C1"},
      {"5:7", DeleteRows(1, 2), "3:5"},
      {"D:D", InsertColumns(4, 1), "E:E"},
      {"D:D", InsertRows(1, 1), "D:D"},
      {"D1:D2", DeleteColumns(4, 1), std::nullopt},
      {"$A$1:$B$2", InsertRows(1, 1), "$A$2:$B$3"},
      {"A1048576", InsertRows(1, 1), std::nullopt},
      {"not an area", InsertRows(1, 1), "not an area"},
  };
  for (const auto& c : cases) EXPECT_EQ(AdjustAreaForShift(c.area, c.shift), c.expected) << c.area;
}

TEST(GrowOverCopies, RangesCoveringTheCopiedRowsGrowOverAdjoiningCopies) {
  // Row 16 copied into rows 14-15 (inserted above it) or rows 17-20 (pasted below it).
  const struct {
    const char* formula;
    RowSpan copies;
    const char* expected;
  } cases[] = {
      {"Sheet1!$C$16:$C$16", {14, 15}, "Sheet1!$C$14:$C$16"},
      {"Sheet1!$C$16", {14, 15}, "Sheet1!$C$14:$C$16"},
      {"Sheet1!C10:D16", {17, 20}, "Sheet1!C10:D20"},
      {"Sheet1!$C$16:$C$18", {14, 15}, "Sheet1!$C$14:$C$18"},
      {"(Sheet1!$C$16,Sheet1!$E$16)", {14, 15}, "(Sheet1!$C$14:$C$16,Sheet1!$E$14:$E$16)"},
      // Not covering the copied row, copies not adjoining, other sheets, whole columns.
      {"Sheet1!$C$10:$C$15", {17, 20}, "Sheet1!$C$10:$C$15"},
      {"Sheet1!$C$16", {18, 20}, "Sheet1!$C$16"},
      {"Other!$C$16", {14, 15}, "Other!$C$16"},
      {"Sheet1!C:C", {14, 15}, "Sheet1!C:C"},
      {"'Sheet1'!$C$16", {14, 15}, "'Sheet1'!$C$14:$C$16"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GrowFormulaOverCopies(c.formula, "", "Sheet1", {16, 16}, c.copies), c.expected)
        << c.formula;
  }
}

TEST(Areas, ShiftListsDropWhollyDeletedAreas) {
  EXPECT_EQ(AdjustAreaListForShift("A1:B2 D5 F10:G12", DeleteRows(5, 5)), "A1:B2 F5:G7");
  EXPECT_EQ(AdjustAreaListForShift("A5 B6:C7", DeleteRows(5, 3)), "");
  EXPECT_EQ(AdjustAreaListForShift("A1  C3 ", InsertRows(2, 1)), "A1 C4");
  EXPECT_EQ(AdjustAreaListForShift("", InsertRows(2, 1)), "");
  EXPECT_EQ(AdjustAreaListForShift("A1:A10 C:C", InsertColumns(2, 2)), "A1:A10 E:E");
}

TEST(Areas, OffsetMovesEveryPart) {
  EXPECT_EQ(OffsetArea("A1:B2", 3, 0), "A4:B5");
  EXPECT_EQ(OffsetArea("$A$1", 3, 1), "$B$4");
  EXPECT_EQ(OffsetArea("C3:D4", -2, -2), "A1:B2");
  EXPECT_EQ(OffsetArea("C3:D4", -3, 0), std::nullopt);
  EXPECT_EQ(OffsetArea("A1", 0, kMaxColumns), std::nullopt);
  EXPECT_EQ(OffsetArea("D:D", 5, 0), "D:D");
  EXPECT_EQ(OffsetArea("5:6", 5, 3), "10:11");
  EXPECT_EQ(OffsetArea("B2", 0, 0), "B2");
}

// One value carries both row copies: where the copied rows stand once room is made, the rows
// the copies fill, and the offset each copy's formulas follow.
TEST(Paste, KnowsWhereTheSourceStandsAndWhereEachCopyLands) {
  struct PasteCase {
    const char* what;
    Paste paste;
    RowSpan standing;
    RowSpan pasted;
    int last_copy_offset;
  };
  const PasteCase cases[] = {
      {"two rows pasted three times further down", {{9, 10}, 21, 3, 0}, {9, 10}, {21, 26}, 16},
      {"one row inserted twice at itself", {{9, 9}, 9, 2, 2}, {11, 11}, {9, 10}, 1},
      {"two rows inserted three times at themselves", {{9, 10}, 9, 3, 6}, {15, 16}, {9, 14}, 4},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.paste.Standing().first, c.standing.first);
    EXPECT_EQ(c.paste.Standing().last, c.standing.last);
    EXPECT_EQ(c.paste.Pasted().first, c.pasted.first);
    EXPECT_EQ(c.paste.Pasted().last, c.pasted.last);
    const RowCopy last = c.paste.Copy(c.paste.copies - 1);
    EXPECT_EQ(last.offset, c.last_copy_offset);
    EXPECT_EQ(last.source_first, c.paste.source.first);
    EXPECT_EQ(last.inserted, c.paste.inserted);
  }
}

}  // namespace
}  // namespace korvanta::workbook
