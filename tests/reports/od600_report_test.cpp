// The OD600 writers in process: the unit that chooses the report, the cell count column and a
// table of many samples.
#include <gtest/gtest.h>

#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"
#include "workbook/workbook.h"

namespace korvanta {
namespace {

using test::ConvertFile;
using test::RecordingHost;
using test::TempDir;
using workbook::CellContent;
using workbook::EmptyCell;

std::string Od600Text(const std::string& unit, const std::string& factor,
                      const std::string& samples) {
  return "3\n2\n1\nculture\n4\n1\n0\n1\nOD600\n600\n" + factor + "\n" + unit + "\n1\n" + samples;
}

TEST(Od600Report, UnknownUnitIsRefusedBeforeAnythingIsAsked) {
  for (const char* unit : {"01", "2", "-1"}) {
    SCOPED_TRACE(unit);
    TempDir dir;
    test::WriteFile(dir / "a.od", Od600Text(unit, "800", "1\nX\n0.5\n"));
    RecordingHost host;
    const auto run = ConvertFile(dir / "a.od", dir / "out.xlsx", host, test::TemplateDir());
    EXPECT_EQ(run.status, ConversionStatus::kFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Unknown OD600 unit \"" + std::string(unit) +
                                    "\" on line 12: expected 0 (optical density) or 1 "
                                    "(cell count).");
    EXPECT_EQ(host.output_requests, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
  }
}

TEST(Od600Report, DensityFileIsAskedForOnce) {
  TempDir dir;
  test::WriteFile(dir / "a.od", Od600Text("0", "800", "1\nX\n0.5\n"));
  RecordingHost host;
  const auto run = ConvertFile(dir / "a.od", dir / "out.xlsx", host, test::TemplateDir());
  ASSERT_EQ(run.status, ConversionStatus::kCompleted) << testing::PrintToString(host.messages);
  EXPECT_EQ(host.output_requests, 1);
  EXPECT_EQ(run.summary.variant, "OD600 optical density");
}

TEST(Od600Report, MissingDensityTemplateStopsBeforeTheSaveDialog) {
  TempDir dir;
  std::filesystem::create_directory(dir / "template");
  std::filesystem::copy_file(test::TemplateDir() / "od600.xlsx", dir / "template/od600.xlsx");
  test::WriteFile(dir / "a.od", Od600Text("0", "800", "1\nX\n0.5\n"));
  RecordingHost host;
  const auto run = ConvertFile(dir / "a.od", dir / "out.xlsx", host, dir / "template");
  EXPECT_EQ(run.status, ConversionStatus::kFailed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            "Can not find template file: " + (dir / "template/OD600_OD.xlsx").string());
  EXPECT_EQ(host.output_requests, 0);
}

// The product is rounded in single precision to four decimals, at any magnitude.
TEST(Od600Report, CellCountIsOdTimesFactor) {
  struct Case {
    const char* od;
    const char* factor;
    double cells;
  };
  const Case cases[] = {{"0.512", "800", 409.6},     {"0.3333", "3", 0.9999},
                        {"123456.7", "10", 1234567}, {"-0.5", "1e9", -5e8},
                        {"0.00001", "1", 0},         {"abc", "800", 0},
                        {"1.5", "800cells", 1200},   {"1e30", "1e10", double{1e30f} * 1e10}};
  TempDir dir;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.od) + " x " + c.factor);
    const auto file = dir / ("case" + std::to_string(i) + ".od");
    test::WriteFile(file, Od600Text("1", c.factor, std::string("1\nid\n") + c.od + "\n"));
    RecordingHost host;
    const auto out = dir / ("case" + std::to_string(i) + ".xlsx");
    ASSERT_EQ(ConvertFile(file, out, host, test::TemplateDir()).status,
              ConversionStatus::kCompleted);
    const auto book = workbook::Workbook::Load(out);
    EXPECT_EQ(book.ActiveSheet().Get({4, 13}), CellContent(c.cells));
  }
}

TEST(Od600Report, EarlyEndLeavesTheMultiplierToTheTemplate) {
  TempDir dir;
  test::WriteFile(dir / "a.od", "3\n2\n1\nculture\n4\n1\n0\n1\nOD600\n600\n800\n1\n");
  RecordingHost host;
  const auto run = ConvertFile(dir / "a.od", dir / "out.xlsx", host, test::TemplateDir());
  ASSERT_EQ(run.status, ConversionStatus::kCompleted);
  EXPECT_EQ(host.warnings.size(), 1u);
  const auto book = workbook::Workbook::Load(dir / "out.xlsx");
  EXPECT_EQ(book.ActiveSheet().Get({2, 10}), CellContent(EmptyCell{}));
  EXPECT_EQ(book.ActiveSheet().Get({1, 13}), CellContent(EmptyCell{}));
}

TEST(Od600Report, ThousandSamplesFillTheirRows) {
  constexpr int kSamples = 1000;
  for (const char* unit : {"0", "1"}) {
    SCOPED_TRACE(unit);
    std::string samples = std::to_string(kSamples) + "\n";
    for (int i = 1; i <= kSamples; ++i) samples += "T" + std::to_string(i) + "\n0.25\n";
    TempDir dir;
    test::WriteFile(dir / "a.od", Od600Text(unit, "4", samples));
    RecordingHost host;
    const auto run = ConvertFile(dir / "a.od", dir / "out.xlsx", host, test::TemplateDir());
    ASSERT_EQ(run.status, ConversionStatus::kCompleted);
    const auto book = workbook::Workbook::Load(dir / "out.xlsx");
    const auto& sheet = book.ActiveSheet();
    const int last = 13 + kSamples - 1;
    EXPECT_EQ(sheet.Get({1, last}), CellContent(double{kSamples}));
    EXPECT_EQ(sheet.Get({2, last}), CellContent(std::string("T1000")));
    EXPECT_EQ(sheet.Get({3, last}), CellContent(0.25));
    EXPECT_EQ(sheet.Get({4, last}),
              unit == std::string("1") ? CellContent(1.0) : CellContent(EmptyCell{}));
    EXPECT_EQ(sheet.Get({1, last + 1}), CellContent(EmptyCell{}));
  }
}

}  // namespace
}  // namespace korvanta
