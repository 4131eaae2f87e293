// The DNA/RNA writers in process: the hand-over to the labelling report, early ends, and a
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

CellContent Cell(const std::filesystem::path& report, int col, int row) {
  return workbook::Workbook::Load(report).ActiveSheet().Get({col, row});
}

constexpr const char* kLabelledHead =
    "5\n2\n1\nCy3 probe\n4\n1\n0\n1\n550\n50\n4\n550\n150000\n0.08\n2\n";

TEST(DnaRnaReport, LabelledFileNeedsTheLabellingTemplate) {
  TempDir dir;
  std::filesystem::create_directory(dir / "template");
  std::filesystem::copy_file(test::TemplateDir() / "dnarna.xlsx", dir / "template/dnarna.xlsx");
  test::WriteFile(dir / "probe.nuc", std::string(kLabelledHead) + "0\n");
  RecordingHost host;
  const auto run = ConvertFile(dir / "probe.nuc", dir / "out.xlsx", host, dir / "template");
  EXPECT_EQ(run.status, ConversionStatus::kFailed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            "Can not find template file: " + (dir / "template/dnarna_dye.xlsx").string());
  EXPECT_EQ(host.output_requests, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST(DnaRnaReport, HandOverAsksOnceAndWarnsOnceAboutAnEarlyEnd) {
  TempDir dir;
  // Ends before the background: the codes after it keep the template's empty cells.
  test::WriteFile(dir / "probe.nuc", "5\n2\n1\nCy3 probe\n");
  RecordingHost host;
  const auto run = ConvertFile(dir / "probe.nuc", dir / "out.xlsx", host, test::TemplateDir());
  ASSERT_EQ(run.status, ConversionStatus::kCompleted) << testing::PrintToString(host.messages);
  EXPECT_EQ(host.output_requests, 1);
  EXPECT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(run.summary.variant, "DNA/RNA labelling");
  EXPECT_EQ(Cell(dir / "out.xlsx", 2, 2), CellContent(std::string("dsDNA DYE")));
  for (const int row : {6, 8, 11}) {
    EXPECT_EQ(Cell(dir / "out.xlsx", 2, row), CellContent(EmptyCell{})) << "B" << row;
  }
}

TEST(DnaRnaReport, CancelledSaveDialogWritesNothing) {
  TempDir dir;
  test::WriteFile(dir / "a.nuc", "1\n1\n1\nname\n4\n1\n0\n0\n50\n33\n2\n0\n");
  RecordingHost host;
  ConversionSettings settings;
  settings.template_dir = test::TemplateDir();
  Conversion conversion(host, settings);
  conversion.SetExportPath((dir / "a.nuc").string());
  EXPECT_EQ(conversion.OnConvert(), ConversionStatus::kCancelled);
  EXPECT_EQ(host.output_requests, 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.shown_workbooks.empty());
}

// Both tables end exactly at their last sample, rows copied from the pattern row.
TEST(DnaRnaReport, ThousandSamplesFillTheirRows) {
  constexpr int kSamples = 1000;
  std::string plain = "1\n1\n2\nmany\n4\n1\n0\n0\n50\n33\n2\n" + std::to_string(kSamples) + "\n";
  std::string labelled = std::string(kLabelledHead) + std::to_string(kSamples) + "\n";
  for (int i = 1; i <= kSamples; ++i) {
    plain += "S" + std::to_string(i) + "\n0.1 0.2 0.3 0.4 1.5 1.6 " + std::to_string(i) + "\n";
    labelled += "L" + std::to_string(i) + "\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 " +
                std::to_string(i) + "\n";
  }
  TempDir dir;
  test::WriteFile(dir / "plain.nuc", plain);
  test::WriteFile(dir / "labelled.nuc", labelled);
  struct Case {
    const char* name;
    int first_row;
    int last_col;
    const char* id_prefix;
  };
  for (const Case& c : {Case{"plain", 13, 9, "S"}, Case{"labelled", 17, 12, "L"}}) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    const auto out = dir / (std::string(c.name) + ".xlsx");
    const auto run =
        ConvertFile(dir / (std::string(c.name) + ".nuc"), out, host, test::TemplateDir());
    ASSERT_EQ(run.status, ConversionStatus::kCompleted);
    EXPECT_EQ(run.summary.samples, kSamples);
    const auto book = workbook::Workbook::Load(out);
    const auto& sheet = book.ActiveSheet();
    const int last = c.first_row + kSamples - 1;
    EXPECT_EQ(sheet.Get({1, last}), CellContent(double{kSamples}));
    EXPECT_EQ(sheet.Get({2, last}),
              CellContent(std::string(c.id_prefix) + std::to_string(kSamples)));
    EXPECT_EQ(sheet.Get({c.last_col, last}), CellContent(double{kSamples}));
    EXPECT_EQ(sheet.Get({1, last + 1}), CellContent(EmptyCell{}));
    EXPECT_EQ(sheet.NumberFormatOf({c.last_col, last}),
              sheet.NumberFormatOf({c.last_col, c.first_row}));
  }
}

}  // namespace
}  // namespace korvanta
