// A conversion that writes the ASM document: alone it asks for no report and needs no
// template; beside the report, a refused document fails the conversion but not the report.
#include <gtest/gtest.h>

#include <filesystem>

#include "driver/conversion.h"
#include "support/paths.h"
#include "support/test_host.h"

namespace korvanta {
namespace {

struct AsmRun {
  ConversionStatus status;
  std::vector<std::string> written;
};

AsmRun Convert(const std::filesystem::path& export_file, const std::filesystem::path& folder,
               OutputFormats formats, test::RecordingHost& host,
               const std::filesystem::path& template_dir) {
  host.output_path = (folder / "report.xlsx").string();
  ConversionSettings settings;
  settings.template_dir = template_dir;
  settings.fixed_time = test::kFixedTime;
  settings.formats = formats;
  Conversion conversion(host, settings);
  conversion.SetExportPath(export_file.string());
  conversion.SetAsmPath((folder / "report.json").string());
  const ConversionStatus status = conversion.OnConvert();
  return {status, conversion.WrittenFiles()};
}

TEST(AsmConversion, AloneItAsksForNoReportAndNeedsNoTemplate) {
  test::TempDir dir;
  test::RecordingHost host;
  const auto export_file = test::TestDataDir() / "asm" / "protein_labelling.pro";
  const AsmRun run = Convert(export_file, dir.path(), {false, true}, host, dir / "no-templates");
  EXPECT_EQ(run.status, ConversionStatus::kCompleted);
  EXPECT_EQ(host.output_requests, 0);
  EXPECT_TRUE(host.shown_workbooks.empty());
  EXPECT_EQ(run.written, std::vector<std::string>{(dir / "report.json").string()});
  EXPECT_FALSE(std::filesystem::exists(dir / "report.xlsx"));
  EXPECT_EQ(host.statuses.back(), "Completed.");
}

TEST(AsmConversion, ARefusedDocumentFailsTheConversionButTheReportIsWritten) {
  test::TempDir dir;
  test::RecordingHost host;
  const auto export_file = test::TestDataDir() / "asm" / "kinetics.tsc";
  const AsmRun run = Convert(export_file, dir.path(), {true, true}, host, test::TemplateDir());
  EXPECT_EQ(run.status, ConversionStatus::kFailed);
  EXPECT_EQ(run.written, std::vector<std::string>{(dir / "report.xlsx").string()});
  EXPECT_FALSE(std::filesystem::exists(dir / "report.json"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("Kinetics"), std::string::npos);
}

TEST(AsmConversion, TheReportAloneWritesNoDocument) {
  test::TempDir dir;
  test::RecordingHost host;
  const auto export_file = test::TestDataDir() / "asm" / "dnarna.nuc";
  const AsmRun run = Convert(export_file, dir.path(), {}, host, test::TemplateDir());
  EXPECT_EQ(run.status, ConversionStatus::kCompleted);
  EXPECT_EQ(run.written, std::vector<std::string>{(dir / "report.xlsx").string()});
  EXPECT_FALSE(std::filesystem::exists(dir / "report.json"));
}

}  // namespace
}  // namespace korvanta
