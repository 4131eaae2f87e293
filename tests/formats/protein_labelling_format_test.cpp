#include "formats/protein_labelling_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Parsed {
  ProteinLabellingRecord record;
  std::vector<std::string> warnings;
};

Parsed Parse(const std::string& text) {
  test::ExportReader reader(text, "dye.pro");
  auto record = ReadProteinLabelling(reader.file, ReadOpening(reader.file), {64, 64});
  return {std::move(record), reader.warnings};
}

const char* const kHead =
    "6\n"
    "0\n"
    "2\n"
    "IgG-Cy5 conjugate\n"
    "5\n"
    "1\n"
    "0\n"
    "4\n"
    "260\n280\n320\n650\n"
    "1.0\n"
    "1.0\n"
    "3\n"
    "any words here\n"
    "5\n"
    "210000\n"
    "0.72\n"
    "250000\n"
    "0.05\n"
    "1\n";

TEST(ProteinLabellingFormat, ReadsTheWholeFileFromItsStart) {
  const Parsed parsed = Parse(std::string(kHead) +
                              "2\n"
                              "007\n"
                              "0.21 0.45 0.01 0.62 0.47 0.31 0.0025 3.4\n"
                              "B\n"
                              "0.2 0.4 0.0 0.6 0.5 0.3 0.002 3.1\n");
  ASSERT_TRUE(parsed.warnings.empty());
  const ProteinLabellingRecord& r = parsed.record;
  EXPECT_EQ(r.opening.method_type, 6);
  EXPECT_EQ(r.opening.MethodCode(), 2);
  EXPECT_EQ(r.sample_name, "IgG-Cy5 conjugate");
  EXPECT_EQ(r.pathlength, 5);
  EXPECT_EQ(r.dilution_factor, "1");
  EXPECT_EQ(r.background, 0);
  EXPECT_EQ(r.wavelengths, (std::vector<std::int32_t>{260, 280, 320, 650}));
  EXPECT_EQ(r.DyeWavelength(), 650);
  EXPECT_EQ(r.protein, 3);
  EXPECT_EQ(r.dyetype, 5);
  EXPECT_EQ(r.proextcoefficient, "210000");
  EXPECT_EQ(r.dyeodmax, "0.72");
  EXPECT_EQ(r.dyeextcoeff, "250000");
  EXPECT_EQ(r.dyecorrect, "0.05");
  EXPECT_EQ(r.unit_style, "1");
  ASSERT_EQ(r.samples.size(), 2u);
  const ProteinLabellingSample& s = r.samples[0];
  EXPECT_EQ(s.sample_id, "007");
  EXPECT_EQ(s.a260, "0.21");
  EXPECT_EQ(s.a280, "0.45");
  EXPECT_EQ(s.a320, "0.01");
  EXPECT_EQ(s.dye, "0.62");
  EXPECT_EQ(s.a260_a280, "0.47");
  EXPECT_EQ(s.concentration, "0.31");
  EXPECT_EQ(s.dye_concentration, "0.0025");
  EXPECT_EQ(s.degree_of_labelling, "3.4");
  EXPECT_EQ(r.samples[1].degree_of_labelling, "3.1");
}

TEST(ProteinLabellingFormat, FewerThanFourWavelengthsGiveNoDyeWavelength) {
  const Parsed parsed = Parse(
      "6\n0\n2\nx\n4\n1\n0\n3\n260\n280\n320\n1\n1\n0\na b c\n0\n"
      "1\n1\n1\n1\n0\n0\n");
  ASSERT_TRUE(parsed.warnings.empty());
  EXPECT_EQ(parsed.record.wavelengths.size(), 3u);
  EXPECT_FALSE(parsed.record.DyeWavelength().has_value());
  EXPECT_EQ(parsed.record.dyetype, 0);
}

TEST(ProteinLabellingFormat, WavelengthsPastTheEndAreNotInvented) {
  const Parsed parsed = Parse("6\n0\n2\nx\n4\n1\n0\n4\n260\n280\n");
  EXPECT_FALSE(parsed.warnings.empty());
  EXPECT_EQ(parsed.record.wavelengths, (std::vector<std::int32_t>{260, 280}));
  EXPECT_FALSE(parsed.record.DyeWavelength().has_value());
  EXPECT_FALSE(parsed.record.protein.has_value());
  EXPECT_FALSE(parsed.record.dyetype.has_value());
}

TEST(ProteinLabellingFormat, SampleCountsTheSheetCannotHoldAreRefused) {
  EXPECT_THROW(Parse(std::string(kHead) + "1048558\n"), ExportFileError);
  EXPECT_TRUE(Parse(std::string(kHead) + "-1\n").record.samples.empty());
}

}  // namespace
}  // namespace korvanta
