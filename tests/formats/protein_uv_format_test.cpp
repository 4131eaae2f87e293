#include "formats/protein_uv_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Parsed {
  ProteinUvRecord record;
  std::vector<std::string> warnings;
};

// `text` starts at sample_name, after the opening "6", "0", "1".
Parsed Parse(const std::string& text) {
  test::ExportReader reader(text, "uv.pro");
  auto record = ReadProteinUvBody(reader.file, Opening{6, 0, "1"}, {64, 64});
  return {std::move(record), reader.warnings};
}

TEST(ProteinUvFormat, ReadsSettingsSkipsDummiesAndReadsSamples) {
  const Parsed parsed = Parse(
      "Lysate series\n"
      "4\n"
      "10\n"
      "0\n"
      "3\n"
      "260\n280\n320\n"
      "1.0\n"
      "0.98\n"
      "3\n"
      "a b c d e f g h\n"
      "3\n"
      "2\n"
      "001\n"
      "0.512 0.943 0.011 skip 1.842\n"
      "  Sample B\n"
      "0.3 0.6 0.02 x 2.0\n");
  ASSERT_TRUE(parsed.warnings.empty());
  const ProteinUvRecord& r = parsed.record;
  EXPECT_EQ(r.opening.MethodCode(), 1);
  EXPECT_EQ(r.sample_name, "Lysate series");
  EXPECT_EQ(r.pathlength, 4);
  EXPECT_EQ(r.dilution_factor, "10");
  EXPECT_EQ(r.background, 0);
  EXPECT_EQ(r.wavelengths, (std::vector<std::int32_t>{260, 280, 320}));
  EXPECT_EQ(r.a280_factor, "1.0");
  EXPECT_EQ(r.a260_factor, "0.98");
  EXPECT_EQ(r.protein, 3);
  EXPECT_EQ(r.unit_style, "3");
  ASSERT_EQ(r.samples.size(), 2u);
  EXPECT_EQ(r.samples[0].sample_id, "001");
  EXPECT_EQ(r.samples[0].a260, "0.512");
  EXPECT_EQ(r.samples[0].a280, "0.943");
  EXPECT_EQ(r.samples[0].a320, "0.011");
  EXPECT_EQ(r.samples[0].a280_a260, "1.842");
  EXPECT_EQ(r.samples[1].sample_id, "Sample B");
  EXPECT_EQ(r.samples[1].a280_a260, "2.0");
}

TEST(ProteinUvFormat, NoWavelengthsThenTheFactorsFollow) {
  const Parsed parsed = Parse("x\n0\n1\n1\n0\n0.9\n1.1\n0\n1 2 3 4 5 6 7 8\n00\n0\n");
  ASSERT_TRUE(parsed.warnings.empty());
  EXPECT_TRUE(parsed.record.wavelengths.empty());
  EXPECT_EQ(parsed.record.a280_factor, "0.9");
  EXPECT_EQ(parsed.record.a260_factor, "1.1");
  EXPECT_EQ(parsed.record.unit_style, "00");
  EXPECT_TRUE(parsed.record.samples.empty());
}

TEST(ProteinUvFormat, FileEndingEarlyLeavesTheCodesUnknown) {
  const Parsed parsed = Parse("x\n4\n2\n");
  EXPECT_FALSE(parsed.warnings.empty());
  EXPECT_EQ(parsed.record.pathlength, 4);
  EXPECT_FALSE(parsed.record.background.has_value());
  EXPECT_FALSE(parsed.record.protein.has_value());
  EXPECT_TRUE(parsed.record.samples.empty());
}

TEST(ProteinUvFormat, SamplesPastTheEndGetNoRows) {
  const Parsed parsed = Parse("x\n0\n1\n1\n0\n1\n1\n0\n1 2 3 4 5 6 7 8\n0\n9\nA\n1 2 3 d 4\nB\n1");
  ASSERT_EQ(parsed.record.samples.size(), 2u);
  EXPECT_EQ(parsed.record.samples[1].a260, "1");
  EXPECT_EQ(parsed.record.samples[1].a280_a260, "");
  EXPECT_EQ(parsed.warnings.size(), 1u);
}

TEST(ProteinUvFormat, SampleCountsTheSheetCannotHoldAreRefused) {
  const std::string head = "x\n0\n1\n1\n0\n1\n1\n0\n1 2 3 4 5 6 7 8\n0\n";
  EXPECT_THROW(Parse(head + "1048563\n"), ExportFileError);
  EXPECT_TRUE(Parse(head + "-4\n").record.samples.empty());
}

}  // namespace
}  // namespace korvanta
