#include "workbook/formula_tokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "workbook/formula_refs.h"
#include "workbook/sheet_names.h"

namespace korvanta::workbook {
namespace {

// Each reference as "<scope> <sheet>|<text>", scope u(nqualified), s(heet) or f(oreign).
std::vector<std::string> References(std::string_view formula) {
  std::vector<std::string> found;
  for (const FormulaToken& token : TokenizeFormula(formula)) {
    if (!token.reference) continue;
    const char scope = "usf"[static_cast<int>(token.reference->scope)];
    found.push_back(std::string(1, scope) + " " + token.reference->sheet + "|" +
                    std::string(token.text));
  }
  return found;
}

using Refs = std::vector<std::string>;

TEST(FormulaTokens, FindReferencesAndTheirSheets) {
  const struct {
    const char* formula;
    Refs refs;
  } cases[] = {
      {"SUM(A1:A3)+Sheet2!B$4", {"u |A1:A3", "s Sheet2|Sheet2!B$4"}},
      {"'It''s'!A1*2", {"s It's|'It''s'!A1"}},
      {"'My Sheet'!$A$1:$B$9", {"s My Sheet|'My Sheet'!$A$1:$B$9"}},
      {"Sheet1:Sheet3!A1", {"f Sheet1:Sheet3|Sheet1:Sheet3!A1"}},
      {"'Jan:Mar'!C2", {"f Jan:Mar|'Jan:Mar'!C2"}},
      {"[1]Sheet1!A1+[2]!Name", {"f Sheet1|[1]Sheet1!A1"}},
      {"A:A+$C:$E+5:5+$2:$9", {"u |A:A", "u |$C:$E", "u |5:5", "u |$2:$9"}},
      {"Daten.2024!A1", {"s Daten.2024|Daten.2024!A1"}},
      {"'Übersicht'!B7+Übersicht!B8", {"s Übersicht|'Übersicht'!B7", "s Übersicht|Übersicht!B8"}},
      {"A1:A1", {"u |A1:A1"}},
      {"XFD1048576:A1", {"u |XFD1048576:A1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(References(c.formula), c.refs) << c.formula;
}

TEST(FormulaTokens, NamesNumbersAndLiteralsAreNotReferences) {
  for (const char* formula : {"LOG10(2)",
                              "\"A1\"&\"B2:C3\"",
                              "1E5+2.5E-3+1.5",
                              "TRUE*FALSE",
                              "#REF!+#DIV/0!+#N/A",
                              "Sheet1!#REF!",
                              "XFE1+A1048577+A0+AAAA1",
                              "MyName*R1C1",
                              "Table1[Col]",
                              "Table1[[#This Row],[B2]]",
                              "[@B2]",
                              "Table1['[B2]]",
                              "_xlfn.XLOOKUP(1,2,3)",
                              "A1_total+total_A1",
                              "{1,2;3,4}",
                              "A",
                              "5",
                              "A:5",
                              "SUM(",
                              "'open"}) {
    EXPECT_EQ(References(formula), Refs{}) << formula;
  }
}

TEST(FormulaTokens, ConcatenateToTheFormula) {
  for (const char* formula :
       {"SUM(A1:A3)+Sheet2!B$4", "'It''s'!A1&\"x\"\"y\"", "  A1 +\tB2 ", "Table1[[#Headers],[a]]",
        "[1]Sheet1!A1:B2", "IF(A1<>\"\",#N/A,-A1%)", "'unterminated", "\"unterminated",
        "Table1[unterminated", "Sheet1:Sheet2!A1", "A1#", "@A1:B2", "=#$%^&*", ""}) {
    std::string joined;
    for (const FormulaToken& token : TokenizeFormula(formula)) joined += token.text;
    EXPECT_EQ(joined, formula);
  }
}

TEST(FormulaTokens, ArbitraryTextSurvivesUnchangedWhenNothingMoves) {
  // Fragments that switch the scanner between its states, in random order.
  const std::string_view pieces[] = {"A1",      "$B$2",  ":", "!",  "'",    "\"",     "[",
                                     "]",       "#REF!", "#", "(",  ")",    "Sheet1", "5",
                                     "E",       ".",     "$", " ",  "\xC3", "\xA4",   "XFD",
                                     "1048576", ",",     "@", "''", "\"\"", "+"};
  std::mt19937 random(42);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 12);
  for (int round = 0; round < 20000; ++round) {
    std::string formula;
    for (int k = length(random); k > 0; --k) formula += pieces[pick(random)];
    std::string joined;
    for (const FormulaToken& token : TokenizeFormula(formula)) joined += token.text;
    ASSERT_EQ(joined, formula);
    ASSERT_EQ(AdjustFormulaForPaste(formula, 0, 0), formula);
    ASSERT_EQ(AdjustFormulaForShift(formula, "Sheet1", "Sheet1", {Shift::Axis::kRows, 3, 0}),
              formula);
    // Moving down and back is lossless for anything that did not fall off the sheet; ranges
    // come back ordered ($B$2:A1 as A1:$B$2).
    const auto down_and_back = [](const std::string& text) {
      return AdjustFormulaForPaste(AdjustFormulaForPaste(text, 7, 3), -7, -3);
    };
    if (AdjustFormulaForPaste(formula, 7, 3).find("#REF!") == std::string::npos &&
        formula.find("#REF!") == std::string::npos) {
      const std::string back = down_and_back(formula);
      if (formula.find(':') == std::string::npos) {
        ASSERT_EQ(back, formula);
      }
      ASSERT_EQ(down_and_back(back), back) << formula;
    }
  }
}

TEST(SheetNames, CompareIgnoringLetterCase) {
  EXPECT_TRUE(SameSheetName("Sheet1", "sheet1"));
  EXPECT_TRUE(SameSheetName("SHEET1", "Sheet1"));
  EXPECT_TRUE(SameSheetName("Übersicht", "übersicht"));
  EXPECT_TRUE(SameSheetName("ÉTÉ", "été"));
  EXPECT_TRUE(SameSheetName("ŁÓDŹ", "łódź"));
  EXPECT_TRUE(SameSheetName("ΔΕΔΟΜΕΝΑ", "δεδομενα"));
  EXPECT_TRUE(SameSheetName("ДАННЫЕ", "данные"));
  EXPECT_TRUE(SameSheetName("", ""));
  EXPECT_FALSE(SameSheetName("Sheet1", "Sheet11"));
  EXPECT_FALSE(SameSheetName("Sheet1", "Sheet 1"));
  EXPECT_FALSE(SameSheetName("Ärger", "Arger"));
  EXPECT_FALSE(SameSheetName("a\xC3", "a\xE3"));  // malformed bytes compare as they are
  EXPECT_TRUE(SameSheetName("a\xC3", "A\xC3"));
}

}  // namespace
}  // namespace korvanta::workbook
