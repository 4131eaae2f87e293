// The sample-table writer on an open dnarna.xlsx, whose pattern row is row 13.
#include "reports/sample_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "driver/conversion.h"
#include "support/paths.h"
#include "support/test_host.h"

namespace korvanta {
namespace {

using workbook::CellContent;
using workbook::EmptyCell;

constexpr int kPatternRow = 13;

struct Sample {
  std::string sample_id;
  std::vector<std::string> values;
};

class SampleRows : public testing::Test {
 protected:
  void SetUp() override {
    host_.output_path = (dir_ / "out.xlsx").string();
    ConversionSettings settings;
    settings.template_dir = test::TemplateDir();
    settings.fixed_time = test::kFixedTime;
    conversion_.emplace(host_, std::move(settings));
    conversion_->m_templatePath = conversion_->TemplatePath("dnarna.xlsx");
    ASSERT_TRUE(conversion_->AskOutputPath());
    ASSERT_TRUE(conversion_->OpenWorkbook());
  }

  // Writes the table; returns the rows the callback was given, in order.
  std::vector<int> Write(const std::vector<Sample>& samples) {
    std::vector<int> rows;
    Conversion& c = *conversion_;
    WriteSampleRows(c, kPatternRow, samples, [&](int row, const Sample& sample) {
      rows.push_back(row);
      WriteValuesFromC(c, row, sample.values);
    });
    return rows;
  }

  CellContent Cell(char col, int row) { return conversion_->Sheet().Get({col - 'A' + 1, row}); }
  int LastRow() { return conversion_->Sheet().LastRow(); }

  test::TempDir dir_;
  test::RecordingHost host_;
  std::optional<Conversion> conversion_;
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

}  // namespace
}  // namespace korvanta
