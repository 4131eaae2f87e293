// The scan writers as the user meets them: what they ask, what they refuse, what they report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"
#include "workbook/workbook.h"

namespace korvanta {
namespace {

std::string WlScanText(const std::string& interval_code) {
  return "4\n0\n1\nLysozyme\n4\n1\n0\n0\n200\n700\n" + interval_code + "\n501\n3\n1.5\n1.4\n1.3\n";
}

bool AnyContains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& text : texts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(ScanReports, UnknownWlScanIntervalIsRefusedBeforeTheUserChoosesAnOutput) {
  test::TempDir dir;
  const auto input = dir / "scan.wsc";
  test::WriteFile(input, WlScanText("8"));
  test::RecordingHost host;
  const test::ConversionRun run =
      test::ConvertFile(input, dir / "scan.xlsx", host, test::TemplateDir());
  EXPECT_EQ(run.status, ConversionStatus::kFailed);
  EXPECT_EQ(host.output_requests, 0);
  EXPECT_TRUE(AnyContains(host.messages, "interval code 8"))
      << ::testing::PrintToString(host.messages);
  EXPECT_FALSE(std::filesystem::exists(dir / "scan.xlsx"));
  EXPECT_FALSE(AnyContains(host.statuses, "Completed."));
}

constexpr const char* kKineticsText =
    "4\n1\nKinetics\nA\n4\n1\n0\n1\n600\n340\n1\n3\n3\n0.1\n0.2\n0.3\n";
constexpr const char* kTmText =
    "3\n1\n2\nB\n4\n1\n260\n1\n20\n90\n0\n0.5\n30\n1\n3\n3\n0.8\n0.9\n1\n";

TEST(ScanReports, CancelledSaveDialogWritesNothing) {
  test::TempDir dir;
  for (const auto& [name, text] : {std::pair<std::string, std::string>{"scan.wsc", WlScanText("0")},
                                   {"run.tsc", kKineticsText},
                                   {"melt.tm", kTmText}}) {
    const auto input = dir / name;
    test::WriteFile(input, text);
    test::RecordingHost host;  // no output path: the user cancels
    ConversionSettings settings;
    settings.template_dir = test::TemplateDir();
    settings.fixed_time = test::kFixedTime;
    Conversion conversion(host, settings);
    conversion.SetExportPath(input.string());
    EXPECT_EQ(conversion.OnConvert(), ConversionStatus::kCancelled) << name;
    EXPECT_EQ(host.output_requests, 1) << name;
    EXPECT_FALSE(AnyContains(host.statuses, "Completed.")) << name;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_NE(entry.path().extension(), ".xlsx") << entry.path();
    }
  }
}

TEST(ScanReports, SummaryNamesTheVariantAndCountsThePoints) {
  test::TempDir dir;
  struct Case {
    std::string file;
    std::string text;
    std::string variant;
  };
  const Case cases[] = {
      {"scan.wsc", WlScanText("1"), "WL Scan"},
      {"run.tsc", kKineticsText, "Kinetics"},
      {"melt.tm", kTmText, "TM"},
  };
  for (const Case& c : cases) {
    const auto input = dir / c.file;
    test::WriteFile(input, c.text);
    test::RecordingHost host;
    const auto output = dir / (c.file + ".xlsx");
    const test::ConversionRun run = test::ConvertFile(input, output, host, test::TemplateDir());
    ASSERT_EQ(run.status, ConversionStatus::kCompleted) << c.file;
    EXPECT_EQ(run.summary.data_type, c.variant);
    EXPECT_EQ(run.summary.variant, c.variant);
    EXPECT_EQ(run.summary.points, 3);
    EXPECT_TRUE(std::filesystem::exists(output));
  }
}

}  // namespace
}  // namespace korvanta
