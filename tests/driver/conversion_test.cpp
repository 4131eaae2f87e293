#include "driver/conversion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"
#include "workbook/workbook.h"

namespace korvanta {
namespace {

using test::ConvertFile;
using test::RecordingHost;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr std::string_view kPhotometry =
    "4\n2\n0\nSeries\n1\n1\n0\n2\n260\n280\n1\n2\nS1\n0.5\n0.6\nS2\n0.7\n0.8\n";

class ConversionTest : public ::testing::Test {
 protected:
  // A conversion of `export_path` with the built templates; the host answers `output`.
  ConversionStatus Convert(const std::string& export_path, const std::string& output,
                           const std::filesystem::path& templates = test::TemplateDir()) {
    host.output_path = output;
    ConversionSettings settings;
    settings.template_dir = templates;
    settings.fixed_time = test::kFixedTime;
    conversion.emplace(host, settings);
    conversion->SetExportPath(export_path);
    return conversion->OnConvert();
  }
  std::string PhotometryFile(const std::string& name = "sample.pht") {
    const auto path = dir / name;
    test::WriteFile(path, kPhotometry);
    return path.string();
  }

  test::TempDir dir;
  RecordingHost host;
  std::optional<Conversion> conversion;
};

TEST_F(ConversionTest, InvalidExtensionsStopBeforeAnythingIsAsked) {
  test::WriteFile(dir / "v2.1" / "sample", kPhotometry);
  test::WriteFile(dir / "data.pht.bak", kPhotometry);
  for (const std::string& path :
       {std::string(), (dir / "v2.1" / "sample").string(), (dir / "data.pht.bak").string()}) {
    SCOPED_TRACE(path);
    host = RecordingHost();
    EXPECT_EQ(Convert(path, (dir / "out").string()), ConversionStatus::kFailed);
    EXPECT_THAT(host.messages, ElementsAre("Invalid file extension."));
    EXPECT_EQ(host.output_requests, 0);
    EXPECT_THAT(host.statuses, ElementsAre("Conversion failed."));
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST_F(ConversionTest, TheExtensionDecidesTheTemplateInAnyCase) {
  test::TempDir empty_templates;
  const auto od = dir / "culture.od";
  // The template is that of the variant the unit (the last line) picks.
  test::WriteFile(od, "4\n1\n1\nname\n1\n1\n0\n0\nd\n1\n1\n");
  EXPECT_EQ(Convert(od.string(), "out", empty_templates.path()), ConversionStatus::kFailed);
  EXPECT_THAT(host.messages, ElementsAre("Can not find template file: " +
                                         (empty_templates / "od600.xlsx").string()));
  EXPECT_EQ(host.output_requests, 0);

  host = RecordingHost();
  const auto protein = dir / "SAMPLE.PRO";
  test::WriteFile(protein, "1\n");
  EXPECT_EQ(Convert(protein.string(), "out", empty_templates.path()), ConversionStatus::kFailed);
  EXPECT_THAT(host.messages, ElementsAre("Can not find template file: " +
                                         (empty_templates / "brad.xlsx").string()));

  const auto upper = dir / "SAMPLE.PHT";
  test::WriteFile(upper, kPhotometry);
  EXPECT_EQ(Convert(upper.string(), (dir / "upper").string()), ConversionStatus::kCompleted);
  EXPECT_TRUE(std::filesystem::exists(dir / "upper.xlsx"));
}

TEST_F(ConversionTest, AMissingExportFileIsReportedBeforeTheSaveDialog) {
  const auto missing = (dir / "missing.pht").string();
  EXPECT_EQ(Convert(missing, (dir / "out").string()), ConversionStatus::kFailed);
  EXPECT_THAT(host.messages, ElementsAre("Can not open export file: " + missing));
  EXPECT_EQ(host.output_requests, 0);
  EXPECT_EQ(conversion->Summary().error, "Can not open export file: " + missing);
}

TEST_F(ConversionTest, ACompletedConversionSavesShowsAndSaysSo) {
  const auto input = PhotometryFile();
  const auto output = (dir / "report.xlsx").string();
  EXPECT_EQ(Convert(input, output), ConversionStatus::kCompleted);
  EXPECT_THAT(host.messages, IsEmpty());
  EXPECT_THAT(host.warnings, IsEmpty());
  EXPECT_THAT(host.statuses, ElementsAre("Transforming...Please wait...", "Completed."));
  EXPECT_THAT(host.shown_workbooks, ElementsAre(output));
  EXPECT_EQ(conversion->Paths().output_path, output);
  EXPECT_EQ(conversion->Paths().export_file_name, "sample.pht");
  EXPECT_EQ(conversion->Paths().template_path, (test::TemplateDir() / "photomet.xlsx").string());
  const auto& summary = conversion->Summary();
  EXPECT_EQ(summary.data_type, "Photometry");
  EXPECT_EQ(summary.samples, 2);
  EXPECT_EQ(summary.wavelengths, 2);

  auto report = workbook::Workbook::Load(output);
  EXPECT_EQ(report.ActiveSheet().Get({2, 1}), workbook::CellContent(std::string("sample.pht")));
  EXPECT_EQ(report.ActiveSheet().Get({2, 3}),
            workbook::CellContent(std::string("2023.11.14  22:13:20")));

  // The state is kept: converting again asks for the output path again.
  EXPECT_EQ(conversion->OnConvert(), ConversionStatus::kCompleted);
  EXPECT_EQ(host.output_requests, 2);
}

TEST_F(ConversionTest, TheOutputNameGetsItsXlsxExtension) {
  const auto input = PhotometryFile();
  const std::pair<std::string, std::string> names[] = {
      {"out", "out.xlsx"}, {"out.XLSX", "out.XLSX"}, {"out.xls", "out.xls.xlsx"}};
  for (const auto& [entered, saved] : names) {
    EXPECT_EQ(Convert(input, (dir / entered).string()), ConversionStatus::kCompleted);
    EXPECT_EQ(conversion->Paths().output_path, (dir / saved).string());
    EXPECT_TRUE(std::filesystem::exists(dir / saved)) << saved;
  }
}

TEST_F(ConversionTest, CancellingTheSaveDialogWritesNothing) {
  host.output_path.reset();
  conversion.emplace(host, ConversionSettings{test::TemplateDir(), test::kFixedTime, {}, {}});
  conversion->SetExportPath(PhotometryFile());
  EXPECT_EQ(conversion->OnConvert(), ConversionStatus::kCancelled);
  EXPECT_EQ(conversion->Paths().output_path, "");
  EXPECT_THAT(host.messages, IsEmpty());
  EXPECT_THAT(host.statuses, IsEmpty());
  EXPECT_THAT(host.shown_workbooks, IsEmpty());
}

TEST_F(ConversionTest, ReplacingANameTheDialogDidNotConfirmIsAsked) {
  const auto input = PhotometryFile();
  const auto existing = dir / "out.xlsx";
  test::WriteFile(existing, "earlier report");

  // "out" became out.xlsx after the dialog confirmed "out": asked, refused, kept.
  host.overwrite_answer = false;
  EXPECT_EQ(Convert(input, (dir / "out").string()), ConversionStatus::kCancelled);
  EXPECT_THAT(host.overwrite_questions, ElementsAre(existing.string()));
  EXPECT_EQ(test::ReadFile(existing), "earlier report");

  // The dialog confirmed exactly this name: not asked again.
  host = RecordingHost();
  EXPECT_EQ(Convert(input, existing.string()), ConversionStatus::kCompleted);
  EXPECT_THAT(host.overwrite_questions, IsEmpty());

  // Nobody confirmed it (the command line without --force): asked; allowed, replaced.
  host = RecordingHost();
  host.overwrite_confirmed = false;
  host.overwrite_answer = true;
  test::WriteFile(existing, "earlier report");
  EXPECT_EQ(Convert(input, existing.string()), ConversionStatus::kCompleted);
  EXPECT_THAT(host.overwrite_questions, ElementsAre(existing.string()));
  EXPECT_NE(test::ReadFile(existing), "earlier report");
}

TEST_F(ConversionTest, AnOutputOpenInAnOfficeApplicationIsRefused) {
  const auto output = dir / "open.xlsx";
  test::WriteFile(output, "earlier report");
  test::WriteFile(dir / "~$open.xlsx", "lock");
  EXPECT_EQ(Convert(PhotometryFile(), output.string()), ConversionStatus::kFailed);
  EXPECT_THAT(host.messages,
              ElementsAre("The same .xlsx file is already opened, please close it first. "
                          "(Lock file: " +
                          (dir / "~$open.xlsx").string() + ")"));
  EXPECT_EQ(test::ReadFile(output), "earlier report");
  EXPECT_THAT(host.statuses, ElementsAre("Conversion failed."));
}

TEST_F(ConversionTest, AWriterFailureIsShownAndLeavesTheEarlierReport) {
  const auto input = dir / "absurd.pht";
  test::WriteFile(input, "4\n2\n0\nx\n1\n1\n0\n99999\n");
  const auto output = dir / "report.xlsx";
  test::WriteFile(output, "earlier report");
  EXPECT_EQ(Convert(input.string(), output.string()), ConversionStatus::kFailed);
  ASSERT_EQ(host.messages.size(), 1U);
  EXPECT_THAT(host.messages[0], HasSubstr("wl_number"));
  EXPECT_EQ(conversion->Summary().error, host.messages[0]);
  EXPECT_EQ(test::ReadFile(output), "earlier report");
  EXPECT_THAT(host.shown_workbooks, IsEmpty());
  EXPECT_EQ(host.statuses.back(), "Conversion failed.");
  EXPECT_THAT(std::vector<std::filesystem::directory_entry>(
                  std::filesystem::directory_iterator(dir.path()), {}),
              ::testing::SizeIs(2));  // no temporary file left behind
}

TEST_F(ConversionTest, AnUnreadableTemplateIsAFailureNotACrash) {
  test::TempDir templates;
  test::WriteFile(templates / "photomet.xlsx", "not a workbook");
  EXPECT_EQ(Convert(PhotometryFile(), (dir / "out").string(), templates.path()),
            ConversionStatus::kFailed);
  EXPECT_EQ(host.messages.size(), 1U);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST_F(ConversionTest, AFileThatEndsEarlyWarnsOnceAndStillGivesAReport) {
  const auto input = dir / "short.pht";
  test::WriteFile(input, "4\n2\n0\nx\n1\n1\n0\n2\n260\n280\n1\n2\nS1\n0.5\n");
  EXPECT_EQ(Convert(input.string(), (dir / "out").string()), ConversionStatus::kCompleted);
  ASSERT_EQ(host.warnings.size(), 1U);
  EXPECT_THAT(host.warnings[0], HasSubstr("wl_value"));
  EXPECT_EQ(conversion->Summary().warnings, host.warnings);
}

}  // namespace
}  // namespace korvanta
