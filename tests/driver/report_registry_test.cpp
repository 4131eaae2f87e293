#include "driver/report_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "driver/data_types.h"
#include "formats/export_file.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"

namespace korvanta {
namespace {

using testing::ElementsAre;

const ReportVariant* FindVariant(std::string_view name) {
  for (const ReportVariant& variant : ReportVariants()) {
    if (variant.name == name) return &variant;
  }
  return nullptr;
}

TEST(ReportVariants, NamesAreDistinctAndEveryTemplateIsBuilt) {
  std::set<std::string_view> names;
  for (const ReportVariant& variant : ReportVariants()) {
    EXPECT_TRUE(names.insert(variant.name).second) << variant.name;
    EXPECT_TRUE(
        std::filesystem::is_regular_file(test::TemplateDir() / std::string(variant.template_file)))
        << variant.template_file;
  }
}

// The opening picks the reader; the calibration mode and the OD600 unit pick among the variants
// read alike. The files end early: the fields they lack are read as missing.
TEST(ReportVariants, AreRecognisedFromTheOpeningAndThenTheRecord) {
  const struct {
    std::string_view extension;
    std::string text;
    std::string_view variant;
  } kCases[] = {
      {"pro", "1\n1\n1\nname\n1\n1\n1\n1\n0\n", "Protein standard curve"},
      {"pro", "1\n1\n1\nname\n1\n1\n1\n1\n1\n", "Protein K factor"},
      {"pro", "1\n1\n1\n", "Protein K factor"},  // no calibration mode: taken as the K factor
      {"pro", "6\n1\n1\n", "Protein UV"},
      {"pro", "6\n1\n2 dye\n", "Protein labelling"},
      {"pro", "2\n1\n2\n", "Protein K factor"},  // method code 2 names a dye only for UV
      {"con", "6\n1\n2\n", "Concentration"},     // no UV hand-over for Concentration
      {"nuc", "1\n1\n1\n", "DNA/RNA"},
      {"nuc", "5\n1\n1\n", "DNA/RNA labelling"},
      {"od", "4\n1\n1\nname\n1\n1\n0\n0\nd\n1\n1\n", "OD600 cell count"},
      {"od", "4\n1\n1\nname\n1\n1\n0\n0\nd\n1\n0\n", "OD600 optical density"},
      {"tm", "4\n1\n1\n", "TM"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    ExportFile file(c.text, "f", [](const std::string&) {});
    std::vector<std::string_view> recognised;
    const ReadExport read = ReadVariantRecord(
        file, *FindDataTypeByExtension(c.extension),
        [&](const ReportVariant& variant) { recognised.push_back(variant.name); });
    ASSERT_NE(read.variant, nullptr);
    EXPECT_EQ(read.variant->name, c.variant);
    EXPECT_EQ(recognised.size(), 1U);
    // Its own steps accept the record; a row of another record type refuses it.
    EXPECT_TRUE(read.variant->steps.fits(*read.record));
    EXPECT_FALSE(FindVariant(c.variant == "TM" ? "Kinetics" : "TM")->steps.fits(*read.record));
  }
}

// Each variant's report needs its own template and no other: converted from a folder holding
// only that file, and refused naming that file from an empty folder.
TEST(ReportVariants, NeedOnlyTheTemplateTheyAreLaidOutOn) {
  const struct {
    const char* example;
    std::string_view variant;
  } kCases[] = {
      {"protein_bradford.pro", "Protein standard curve"},
      {"protein_lowry_k_factor.pro", "Protein K factor"},
      {"protein_uv.pro", "Protein UV"},
      {"protein_labelling.pro", "Protein labelling"},
      {"concentration_nitrate.con", "Concentration"},
      {"dnarna.nuc", "DNA/RNA"},
      {"dnarna_labelled.nuc", "DNA/RNA labelling"},
      {"kinetics.tsc", "Kinetics"},
      {"od600_cells.od", "OD600 cell count"},
      {"od600_density.od", "OD600 optical density"},
      {"photometry_dna_plate.pht", "Photometry"},
      {"tm.tm", "TM"},
      {"wlscan.wsc", "WL Scan"},
  };
  std::set<std::string_view> covered;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.example);
    const std::filesystem::path example = test::TestDataDir() / "../../examples" / c.example;
    const ReportVariant* variant = FindVariant(c.variant);
    ASSERT_NE(variant, nullptr);
    covered.insert(variant->name);
    test::TempDir dir;
    const std::filesystem::path templates = dir.path() / "templates";
    std::filesystem::create_directory(templates);

    test::RecordingHost refused;
    const auto missing = test::ConvertFile(example, dir.path() / "missing", refused, templates);
    EXPECT_EQ(missing.status, ConversionStatus::kFailed);
    EXPECT_THAT(refused.messages, ElementsAre("Can not find template file: " +
                                              (templates / variant->template_file).string()));

    std::filesystem::copy_file(test::TemplateDir() / variant->template_file,
                               templates / variant->template_file);
    test::RecordingHost host;
    const auto run = test::ConvertFile(example, dir.path() / "report", host, templates);
    EXPECT_EQ(run.status, ConversionStatus::kCompleted) << testing::PrintToString(host.messages);
    EXPECT_EQ(run.summary.variant, c.variant);
  }
  EXPECT_EQ(covered.size(), ReportVariants().size());
}

}  // namespace
}  // namespace korvanta
