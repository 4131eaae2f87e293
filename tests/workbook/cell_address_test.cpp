#include "workbook/cell_address.h"

#include <gtest/gtest.h>

#include <string>

namespace korvanta::workbook {
namespace {

TEST(ColumnNames, RoundTripAcrossEveryLetterCountBoundary) {
  const struct {
    int index;
    const char* name;
  } cases[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {28, "AB"},    {52, "AZ"},
               {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColumnName(c.index), c.name) << c.index;
    EXPECT_EQ(ParseColumnName(c.name), c.index) << c.name;
  }
  for (int index = 1; index <= kMaxColumns; ++index) {
    ASSERT_EQ(ParseColumnName(ColumnName(index)), index);
  }
}

TEST(ColumnNames, AreCaseInsensitiveAndRejectAnythingElse) {
  EXPECT_EQ(ParseColumnName("ab"), 28);
  EXPECT_EQ(ParseColumnName("xFd"), 16384);
  for (const char* bad : {"", "XFE", "ZZZ", "AAAA", "A1", "$A", "-A", " A", "Ä"}) {
    EXPECT_EQ(ParseColumnName(bad), std::nullopt) << bad;
  }
}

TEST(ColumnNames, ReportWriterArithmeticGoesPastZ) {
  EXPECT_EQ((Col('C') + 30).index, 33);
  EXPECT_EQ(ColumnName((Col('C') + 30).index), "AG");
  EXPECT_EQ(Col('Z') + 1, Col::FromIndex(27));
}

TEST(RowNumbers, AcceptOnlyPlainDigitsInsideTheSheet) {
  EXPECT_EQ(ParseRowNumber("1"), 1);
  EXPECT_EQ(ParseRowNumber("9999"), 9999);
  EXPECT_EQ(ParseRowNumber("1048576"), 1048576);
  for (const char* bad : {"", "0", "1048577", "99999999", "07", "+7", "-7", "7 ", "7.0", "1e3"}) {
    EXPECT_EQ(ParseRowNumber(bad), std::nullopt) << bad;
  }
}

TEST(CellAddresses, FormatAndParse) {
  EXPECT_EQ(CellAddress({2, 7}), "B7");
  EXPECT_EQ(CellAddress({28, 10000}), "AB10000");
  EXPECT_EQ(CellAddress({16384, 1048576}), "XFD1048576");

  const struct {
    const char* text;
    CellRef ref;
  } good[] = {{"B7", {2, 7}},  {"$B$7", {2, 7}},  {"B$7", {2, 7}},
              {"$B7", {2, 7}}, {"b7", {2, 7}},    {"XFD1048576", {16384, 1048576}},
              {"A1", {1, 1}},  {"AG33", {33, 33}}};
  for (const auto& c : good) EXPECT_EQ(ParseCellAddress(c.text), c.ref) << c.text;
}

TEST(CellAddresses, RejectMalformedAndOutOfSheet) {
  for (const char* bad : {"", "B", "7", "B0", "XFE1", "A1048577", "B-7", "B+7", "-B7", "$$B7",
                          "B$$7", "B7$", "B7:B8", " B7", "B7 ", "7B", "B07", "B7C"}) {
    EXPECT_EQ(ParseCellAddress(bad), std::nullopt) << bad;
  }
}

TEST(Spans, ParseRowsAndColumns) {
  const auto one = ParseRowSpan("13:13");
  ASSERT_TRUE(one);
  EXPECT_EQ(one->first, 13);
  EXPECT_EQ(one->Count(), 1);
  const auto block = ParseRowSpan("20:25");
  ASSERT_TRUE(block);
  EXPECT_EQ(block->first, 20);
  EXPECT_EQ(block->last, 25);
  EXPECT_EQ(block->Count(), 6);
  ASSERT_TRUE(ParseRowSpan("$3:$4"));
  ASSERT_TRUE(ParseRowSpan("1:1048576"));

  const auto column = ParseColSpan("D:D");
  ASSERT_TRUE(column);
  EXPECT_EQ(column->first, 4);
  EXPECT_EQ(column->Count(), 1);
  const auto columns = ParseColSpan("C:E");
  ASSERT_TRUE(columns);
  EXPECT_EQ(columns->last, 5);
  EXPECT_EQ(columns->Count(), 3);
  ASSERT_TRUE(ParseColSpan("$AA:$XFD"));
}

TEST(Spans, RejectReversedEmptySignedAndOutOfSheet) {
  for (const char* bad : {"25:20", "13", "13:", ":13", ":", "", "0:1", "1:1048577", "-1:2", "+1:2",
                          "1:2:3", "D:D", "13 :13", "1.5:2"}) {
    EXPECT_EQ(ParseRowSpan(bad), std::nullopt) << bad;
  }
  for (const char* bad : {"E:C", "D", "D:", ":D", "XFD:XFE", "D1:D2", "13:13", "-D:D", "D:D:D"}) {
    EXPECT_EQ(ParseColSpan(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace korvanta::workbook
