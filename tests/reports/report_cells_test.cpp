// The cells several layouts share, written into an open dnarna.xlsx (header fields B1 to
// B10, sample pattern row 13).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reports/report_head.h"
#include "reports/report_sheet.h"
#include "reports/sample_rows.h"
#include "support/paths.h"

namespace korvanta {
namespace {

using workbook::CellContent;
using workbook::EmptyCell;

constexpr int kPatternRow = 13;

struct Sample {
  std::string sample_id;
  std::vector<std::string> values;
};

class ReportCells : public testing::Test {
 protected:
  ReportCells()
      : workbook_(workbook::Workbook::Load(test::TemplateDir() / "dnarna.xlsx")),
        sheet_(workbook_, "0012.nuc", "2023.11.14  22:13:20") {}

  ReportSheet& c() { return sheet_; }
  CellContent Cell(char col, int row) { return sheet_.Sheet().Get({col - 'A' + 1, row}); }
  int LastRow() { return sheet_.Sheet().LastRow(); }

 private:
  workbook::Workbook workbook_;
  ReportSheet sheet_;
};

class SampleRows : public ReportCells {
 protected:
  // Writes the table; returns the rows the callback was given, in order.
  std::vector<int> Write(const std::vector<Sample>& samples) {
    std::vector<int> rows;
    WriteSampleRows(c(), kPatternRow, samples, [&](int row, const Sample& sample) {
      rows.push_back(row);
      WriteValuesFromC(c(), row, sample.values);
    });
    return rows;
  }
};

TEST_F(SampleRows, NumbersEachSampleAndKeepsItsIdAsText) {
  const std::vector<int> rows = Write({{"001", {"0.5", "n/a"}}, {"1e3", {"-2"}}, {" 7 ", {}}});
  EXPECT_EQ(rows, (std::vector<int>{13, 14, 15}));
  EXPECT_EQ(LastRow(), 15);  // the pattern copied over the sample rows, not beyond
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Cell('A', kPatternRow + i), CellContent(double(i + 1))) << "row " << 13 + i;
  }
  EXPECT_EQ(Cell('B', 13), CellContent(std::string("001")));
  EXPECT_EQ(Cell('B', 14), CellContent(std::string("1e3")));
  EXPECT_EQ(Cell('B', 15), CellContent(std::string(" 7 ")));
  // Values go in as typed input: numbers where they read as numbers.
  EXPECT_EQ(Cell('C', 13), CellContent(0.5));
  EXPECT_EQ(Cell('D', 13), CellContent(std::string("n/a")));
  EXPECT_EQ(Cell('C', 14), CellContent(-2.0));
  EXPECT_EQ(Cell('D', 14), CellContent(EmptyCell{}));
  EXPECT_EQ(Cell('C', 15), CellContent(EmptyCell{}));
}

TEST_F(SampleRows, CopiesThePatternRowOnlyForASecondSample) {
  EXPECT_EQ(Write({{"a", {"1"}}}), std::vector<int>{13});
  EXPECT_EQ(LastRow(), 13);
  EXPECT_EQ(Cell('A', 14), CellContent(EmptyCell{}));
}

TEST_F(SampleRows, NoSamplesLeaveThePatternRowEmpty) {
  EXPECT_TRUE(Write({}).empty());
  EXPECT_EQ(LastRow(), 13);
  EXPECT_EQ(Cell('A', 13), CellContent(EmptyCell{}));
  EXPECT_EQ(Cell('B', 13), CellContent(EmptyCell{}));
}

using ReportHead = ReportCells;

TEST_F(ReportHead, WritesNamesAsReadAndTheTime) {
  WriteReportHead(c(), "dsDNA", "1e3");
  EXPECT_EQ(Cell('B', 1), CellContent(std::string("0012.nuc")));
  EXPECT_EQ(Cell('B', 2), CellContent(std::string("dsDNA")));
  EXPECT_EQ(Cell('B', 3), CellContent(std::string("2023.11.14  22:13:20")));
  EXPECT_EQ(Cell('B', 4), CellContent(EmptyCell{}));  // the operator is the user's
  EXPECT_EQ(Cell('B', 5), CellContent(std::string("1e3")));
}

TEST_F(ReportHead, WithoutAMethodB2KeepsWhatItHolds) {
  c().WriteTextCell('B', 2, "typed by the user");
  WriteReportHead(c(), std::nullopt, "s");
  EXPECT_EQ(Cell('B', 2), CellContent(std::string("typed by the user")));
}

TEST_F(ReportHead, MeasurementSettingsLeaveMissingCodesToTheTemplate) {
  WriteMeasurementSettings(c(), 4, "2.5", 0);
  EXPECT_EQ(Cell('B', 6), CellContent(1.0));
  EXPECT_EQ(Cell('B', 7), CellContent(2.5));
  EXPECT_EQ(Cell('B', 8), CellContent(std::string("On")));

  c().WriteTextCell('B', 6, "kept");
  c().WriteTextCell('B', 8, "kept");
  WriteMeasurementSettings(c(), std::nullopt, "", std::nullopt);
  EXPECT_EQ(Cell('B', 6), CellContent(std::string("kept")));
  EXPECT_EQ(Cell('B', 7), CellContent(EmptyCell{}));
  EXPECT_EQ(Cell('B', 8), CellContent(std::string("kept")));
}

TEST_F(ReportHead, ProteinUvFactorsNameTheProteinOnlyForAKnownCode) {
  WriteProteinUvFactors(c(), "1.05", "0.3", 4);
  EXPECT_EQ(Cell('B', 9), CellContent(1.05));
  EXPECT_EQ(Cell('B', 10), CellContent(0.3));
  EXPECT_EQ(Cell('B', 11), CellContent(std::string("Lysozyme(C)")));

  for (const std::optional<std::int32_t> code :
       {std::optional<std::int32_t>(7), std::optional<std::int32_t>(-1),
        std::optional<std::int32_t>()}) {
    c().WriteTextCell('B', 11, "kept");
    WriteProteinUvFactors(c(), "", "", code);
    EXPECT_EQ(Cell('B', 11), CellContent(std::string("kept")));
  }
}

}  // namespace
}  // namespace korvanta
