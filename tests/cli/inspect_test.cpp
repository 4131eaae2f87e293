#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "cli/inspect_file.h"
#include "cli/inspect_output.h"
#include "driver/data_types.h"
#include "driver/path_rules.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

fs::path ExamplesDir() { return test::TestDataDir().parent_path().parent_path() / "examples"; }

bool IsExportFile(const fs::path& path) {
  const auto extension = LowerCaseExtension(path.filename().string());
  return extension && FindDataTypeByExtension(*extension) != nullptr;
}

// Every export file of the examples and of the report tests.
std::vector<fs::path> KnownExportFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(test::TestDataDir())) {
    if (entry.is_regular_file() && IsExportFile(entry.path())) files.push_back(entry.path());
  }
  for (const auto& entry : fs::directory_iterator(ExamplesDir())) {
    if (IsExportFile(entry.path())) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// `text` with its line `number` (from 1) replaced.
std::string WithLine(const std::string& text, int number, const std::string& line) {
  std::istringstream in(text);
  std::string out;
  std::string current;
  for (int n = 1; std::getline(in, current); ++n) out += (n == number ? line : current) + "\n";
  return out;
}

std::optional<std::string> Setting(const FileInspection& inspection, const std::string& name) {
  for (const InspectedField& field : inspection.settings) {
    if (field.name == name) return field.value;
  }
  ADD_FAILURE() << "no setting " << name;
  return std::nullopt;
}

void ExpectSameAsConversion(const fs::path& file, const fs::path& output_dir) {
  SCOPED_TRACE(file.string());
  test::RecordingHost host;
  const test::ConversionRun run =
      test::ConvertFile(file, output_dir / "report.xlsx", host, test::TemplateDir());
  const FileInspection inspection = InspectExportFile(file.string());
  const ReportSummary& converted = run.summary;
  const ReportSummary& inspected = inspection.summary;
  EXPECT_EQ(inspected.data_type, converted.data_type);
  EXPECT_EQ(inspected.variant, converted.variant);
  EXPECT_EQ(inspected.samples, converted.samples);
  EXPECT_EQ(inspected.standards, converted.standards);
  EXPECT_EQ(inspected.wavelengths, converted.wavelengths);
  EXPECT_EQ(inspected.points, converted.points);
  EXPECT_EQ(inspected.warnings, converted.warnings);
  EXPECT_EQ(inspected.error, converted.error);
  EXPECT_EQ(inspection.ok(), run.status == ConversionStatus::kCompleted);
}

TEST(Inspection, AgreesWithTheConversionOnEveryKnownFile) {
  const test::TempDir dir;
  const auto files = KnownExportFiles();
  ASSERT_GE(files.size(), 60U);
  for (const fs::path& file : files) ExpectSameAsConversion(file, dir.path());
}

TEST(Inspection, AgreesWithTheConversionOnDamagedFiles) {
  const test::TempDir dir;
  int number = 0;
  for (const auto& entry : fs::directory_iterator(ExamplesDir())) {
    const std::string text = test::ReadFile(entry.path());
    const std::string extension = entry.path().extension().string();
    const std::string stem = entry.path().stem().string();
    // Cut anywhere: inside the head, inside the tables, inside a line.
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{3}, text.size() / 5, text.size() / 2, text.size() - 2}) {
      const fs::path cut = dir / (stem + "_" + std::to_string(number++) + extension);
      test::WriteFile(cut, text.substr(0, size));
      ExpectSameAsConversion(cut, dir.path());
    }
  }
  // Refused by the readers: a count no sheet holds, an unknown OD600 unit and scan interval.
  const std::string od600 = test::ReadFile(ExamplesDir() / "od600_cells.od");
  test::WriteFile(dir / "unit.od", WithLine(od600, 12, "2"));
  ExpectSameAsConversion(dir / "unit.od", dir.path());
  const std::string wlscan = test::ReadFile(ExamplesDir() / "wlscan.wsc");
  test::WriteFile(dir / "interval.wsc", WithLine(wlscan, 11, "9"));
  ExpectSameAsConversion(dir / "interval.wsc", dir.path());
  const std::string kinetics = test::ReadFile(ExamplesDir() / "kinetics.tsc");
  test::WriteFile(dir / "huge.tsc", WithLine(kinetics, 13, "2000000"));
  ExpectSameAsConversion(dir / "huge.tsc", dir.path());
}

TEST(Inspection, UnknownCodesAreNamedWithTheirLines) {
  const test::TempDir dir;
  std::string text = test::ReadFile(ExamplesDir() / "protein_uv.pro");
  text = WithLine(WithLine(WithLine(text, 5, "9"), 14, "12"), 16, "7");
  test::WriteFile(dir / "uv.pro", text);
  const FileInspection inspection = InspectExportFile((dir / "uv.pro").string());
  EXPECT_TRUE(inspection.ok());
  EXPECT_EQ(inspection.summary.variant, "Protein UV");
  EXPECT_TRUE(inspection.summary.warnings.empty());
  const std::string kept = " is not known; the report leaves its cell as the template has it.";
  EXPECT_EQ(inspection.code_warnings,
            (std::vector<std::string>{"uv.pro, line 5: pathlength code 9" + kept,
                                      "uv.pro, line 14: protein code 12" + kept,
                                      "uv.pro, line 16: unit_style code 7" + kept}));
  EXPECT_EQ(Setting(inspection, "pathlength"), std::nullopt);
  EXPECT_EQ(Setting(inspection, "protein"), std::nullopt);
  EXPECT_EQ(Setting(inspection, "unit"), std::nullopt);
  EXPECT_EQ(Setting(inspection, "background"), "On");
}

TEST(Inspection, AnIntervalCodeTakenAsSecondsIsNoted) {
  const FileInspection inspection =
      InspectExportFile((test::TestDataDir() / "kinetics" / "code9_interval.tsc").string());
  ASSERT_EQ(inspection.code_warnings.size(), 1U);
  EXPECT_NE(inspection.code_warnings[0].find(": sample_interval code 9 is not known; the report "
                                             "takes it as the interval in seconds."),
            std::string::npos)
      << inspection.code_warnings[0];
  EXPECT_EQ(Setting(inspection, "interval"), "9");
  ASSERT_GE(inspection.first_records.size(), 2U);
  EXPECT_EQ(inspection.first_records[1][0].value, "9");
}

TEST(Inspection, AFileThatEndedEarlyKeepsWhatItHolds) {
  const test::TempDir dir;
  const std::string text = test::ReadFile(ExamplesDir() / "tm.tm");
  test::WriteFile(dir / "short.tm", text.substr(0, 60));
  const FileInspection inspection = InspectExportFile((dir / "short.tm").string());
  EXPECT_TRUE(inspection.ok());
  EXPECT_EQ(inspection.sample_name, "dsDNA 20mer");
  ASSERT_EQ(inspection.summary.warnings.size(), 1U);
  EXPECT_NE(inspection.summary.warnings[0].find("short.tm ends early"), std::string::npos);
  // Fields past the end are unknown, not zero.
  EXPECT_EQ(Setting(inspection, "measurenumber"), std::nullopt);
  EXPECT_TRUE(inspection.code_warnings.empty());
}

TEST(Inspection, WhatCannotBeReadIsAnError) {
  const test::TempDir dir;
  EXPECT_EQ(InspectExportFile((dir / "notes.txt").string()).summary.error,
            "Invalid file extension.");
  const std::string missing = (dir / "missing.pht").string();
  const FileInspection inspection = InspectExportFile(missing);
  EXPECT_EQ(inspection.summary.error, "Can not open export file: " + missing);
  EXPECT_EQ(inspection.summary.data_type, "Photometry");
  fs::create_directories(dir / "folder.pro");
  EXPECT_FALSE(InspectExportFile((dir / "folder.pro").string()).ok());
}

// tests/data/inspect/NAME.<ext> beside NAME.inspect.json (the JSON form, "input" aside) or
// NAME.inspect.txt (the text form).
TEST(Inspection, GoldenFiles) {
  const fs::path folder = test::TestDataDir() / "inspect";
  std::set<std::string> variants;
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!IsExportFile(entry.path())) continue;
    SCOPED_TRACE(entry.path().filename().string());
    const FileInspection inspection = InspectExportFile(entry.path().string());
    variants.insert(inspection.summary.variant);
    const fs::path stem = folder / entry.path().stem();
    const fs::path json_file = stem.string() + ".inspect.json";
    const fs::path text_file = stem.string() + ".inspect.txt";
    if (fs::exists(json_file)) {
      Json shown = InspectionJson(inspection);
      shown.erase("input");
      EXPECT_EQ(shown, Json::parse(test::ReadFile(json_file)));
      ++checked;
    }
    if (fs::exists(text_file)) {
      EXPECT_EQ(InspectionText(inspection), test::ReadFile(text_file));
      ++checked;
    }
  }
  EXPECT_GE(checked, 14);
  const std::set<std::string> all_variants = {"Protein standard curve",
                                              "Protein K factor",
                                              "Protein UV",
                                              "Protein labelling",
                                              "Concentration",
                                              "DNA/RNA",
                                              "DNA/RNA labelling",
                                              "Kinetics",
                                              "OD600 cell count",
                                              "OD600 optical density",
                                              "Photometry",
                                              "TM",
                                              "WL Scan"};
  EXPECT_EQ(variants, all_variants);
}

}  // namespace
}  // namespace korvanta::cli
