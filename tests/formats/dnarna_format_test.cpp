// Reading the DNA/RNA export format and its code tables.
#include "formats/dnarna_format.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "formats/dye_table.h"
#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

constexpr int kManySamples = 1000;

struct Reader : test::ExportReader {
  explicit Reader(std::string_view text) : ExportReader(text, "test.nuc") {}
};

DnaRnaFile ReadPlain(Reader& reader, int max_samples = kManySamples) {
  return ReadDnaRnaFile(reader.file, ReadOpening(reader.file), {kManySamples, max_samples});
}

TEST(DnaRnaFormat, PlainFieldsLandInFileOrder) {
  Reader reader(
      "2\n7\n3\nLiver RNA\n6\n2.5\n1\n2\n260\n280\n40\n33\n14\n2\n"
      "S1\n0.1\n0.2\n0.3\n0.4\n1.5\n1.6\n17\n"
      "S2\n1 2 3 4 5 6 7\n");
  const DnaRnaFile record = ReadPlain(reader);
  EXPECT_EQ(record.head.opening.method_type, 2);
  EXPECT_EQ(record.head.opening.measurement_type, 7);
  EXPECT_EQ(record.head.opening.method_str, "3");
  EXPECT_EQ(record.head.sample_name, "Liver RNA");
  EXPECT_EQ(record.head.pathlength, 6);
  EXPECT_EQ(record.head.dilution_factor, "2.5");
  EXPECT_EQ(record.head.background, 1);
  EXPECT_EQ(record.head.wavelengths, (std::vector<std::int32_t>{260, 280}));
  EXPECT_EQ(record.head.factor, "40");
  EXPECT_EQ(record.oligo_factor, "33");
  EXPECT_EQ(record.unit_style, "14");
  ASSERT_EQ(record.samples.size(), 2u);
  EXPECT_EQ(record.samples[0].sample_id, "S1");
  EXPECT_EQ(record.samples[0].readings,
            (std::array<std::string, 7>{"0.1", "0.2", "0.3", "0.4", "1.5", "1.6", "17"}));
  EXPECT_EQ(record.samples[1].sample_id, "S2");
  EXPECT_EQ(record.samples[1].readings,
            (std::array<std::string, 7>{"1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(DnaRnaFormat, NoWavelengthLinesWhenTheCountIsZero) {
  Reader reader("1\n1\n1\nname\n4\n1\n0\n0\n50\n33\n2\n0\n");
  const DnaRnaFile record = ReadPlain(reader);
  EXPECT_TRUE(record.head.wavelengths.empty());
  EXPECT_EQ(record.head.factor, "50");
  EXPECT_EQ(record.oligo_factor, "33");
  EXPECT_EQ(record.unit_style, "2");
  EXPECT_TRUE(record.samples.empty());
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(DnaRnaFormat, WholeLinesAfterPatternedReadsLoseBlanksAndBlankLines) {
  // method_str follows an integer line, sample_name a whole line, sample_id a token.
  Reader reader(
      "1\n1\n\n   3\n  indented name\n4\n1\n0\n0\n50\n33\n2\n1\n\n\n   007\n"
      "1 2 3 4 5 6 7\n");
  const DnaRnaFile record = ReadPlain(reader);
  EXPECT_EQ(record.head.opening.method_str, "3");
  EXPECT_EQ(record.head.sample_name, "  indented name");
  ASSERT_EQ(record.samples.size(), 1u);
  EXPECT_EQ(record.samples[0].sample_id, "007");
}

TEST(DnaRnaFormat, EmptySampleNameStaysEmpty) {
  Reader reader("1\n1\n1\n\n4\n1\n0\n0\n50\n33\n2\n0\n");
  const DnaRnaFile record = ReadPlain(reader);
  EXPECT_EQ(record.head.sample_name, "");
  EXPECT_EQ(record.head.pathlength, 4);
}

TEST(DnaRnaFormat, SampleCountsAreChecked) {
  Reader negative("1\n1\n1\nname\n4\n1\n0\n0\n50\n33\n2\n-4\nS1\n");
  EXPECT_TRUE(ReadPlain(negative).samples.empty());

  Reader too_many("1\n1\n1\nname\n4\n1\n0\n0\n50\n33\n2\n11\n");
  EXPECT_THROW(ReadPlain(too_many, 10), ExportFileError);
}

TEST(DnaRnaFormat, FieldsPastAnEarlyEndAreMissingNotInvented) {
  Reader in_head("1\n1\n1\nname\n");
  const DnaRnaFile head = ReadPlain(in_head);
  EXPECT_FALSE(head.head.pathlength.has_value());
  EXPECT_FALSE(head.head.background.has_value());
  EXPECT_TRUE(head.samples.empty());
  EXPECT_EQ(in_head.warnings.size(), 1u);

  Reader in_wavelengths("1\n1\n1\nname\n4\n1\n0\n4\n230\n260");
  EXPECT_EQ(ReadPlain(in_wavelengths).head.wavelengths, (std::vector<std::int32_t>{230, 260}));

  // Three samples promised, the second cut short: its missing readings are empty, the third
  // is not made up.
  Reader in_samples("1\n1\n1\nname\n4\n1\n0\n0\n50\n33\n2\n3\nS1\n1 2 3 4 5 6 7\nS2\n0.5\n");
  const DnaRnaFile cut = ReadPlain(in_samples);
  ASSERT_EQ(cut.samples.size(), 2u);
  EXPECT_EQ(cut.samples[1].readings[0], "0.5");
  EXPECT_EQ(cut.samples[1].readings[6], "");
  EXPECT_EQ(in_samples.warnings.size(), 1u);
}

TEST(DnaRnaLabellingFormat, DyeFieldsStandBetweenFactorAndUnit) {
  Reader reader(
      "5\n2\n1\nCy3 probe\n0\n1\n0\n1\n550\n50\n4\n550\n150000\n0.08\n2\n1\n"
      "P1\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0\n");
  const DnaRnaLabellingFile record =
      ReadDnaRnaLabellingFile(reader.file, ReadOpening(reader.file), {kManySamples, kManySamples});
  EXPECT_EQ(record.head.opening.method_type, 5);
  EXPECT_EQ(record.head.opening.measurement_type, 2);
  EXPECT_EQ(record.head.opening.method_str, "1");
  EXPECT_EQ(record.head.sample_name, "Cy3 probe");
  EXPECT_EQ(record.head.pathlength, 0);
  EXPECT_EQ(record.head.wavelengths, (std::vector<std::int32_t>{550}));
  EXPECT_EQ(record.head.factor, "50");
  EXPECT_EQ(record.dyetype, 4);
  EXPECT_EQ(record.dyeodmax, "550");
  EXPECT_EQ(record.dyeextcoeff, "150000");
  EXPECT_EQ(record.dyecorrect, "0.08");
  EXPECT_EQ(record.unit_style, "2");
  ASSERT_EQ(record.samples.size(), 1u);
  EXPECT_EQ(record.samples[0].sample_id, "P1");
  EXPECT_EQ(record.samples[0].readings[4], "0.5");  // dye
  EXPECT_EQ(record.samples[0].readings[9], "1.0");  // frequency
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(DnaRnaLabellingFormat, SampleCountAboveTheLimitIsRefused) {
  Reader reader("5\n2\n1\nname\n0\n1\n0\n0\n50\n4\n550\n1\n0.1\n2\n3\n");
  EXPECT_THROW(ReadDnaRnaLabellingFile(reader.file, ReadOpening(reader.file), {kManySamples, 2}),
               ExportFileError);
}

TEST(NucleicAcidCodes, TypeNamesWithADyeAddDyeAndUnknownCodesAreRefused) {
  for (std::int32_t code = 1; code <= 4; ++code) {
    const auto plain = NucleicAcidTypeName(code, false);
    ASSERT_TRUE(plain) << code;
    EXPECT_EQ(NucleicAcidTypeName(code, true), std::string(*plain) + " DYE") << code;
  }
  for (const std::int32_t code : {-1, 0, 5, 100}) {
    EXPECT_FALSE(NucleicAcidTypeName(code, false)) << code;
    EXPECT_FALSE(NucleicAcidTypeName(code, true)) << code;
  }
}

TEST(NucleicAcidCodes, UnitsMatchOnlyPlainDecimalCodes) {
  for (int code = 0; code <= 15; ++code) {
    EXPECT_TRUE(NucleicAcidUnit(std::to_string(code))) << code;
  }
  for (const char* token : {"07", "00", "16", "-1", "", "1a", "015"}) {
    EXPECT_FALSE(NucleicAcidUnit(token)) << token;
  }
}

TEST(DyeTable, TwelveDistinctDyesAndNoOtherCode) {
  std::set<std::string> names;
  for (std::int32_t code = 0; code < 12; ++code) {
    const auto name = DyeName(code);
    ASSERT_TRUE(name) << code;
    names.emplace(*name);
  }
  EXPECT_EQ(names.size(), 12U);
  for (const std::int32_t code : {-1, 12, 100}) EXPECT_FALSE(DyeName(code)) << code;
}

}  // namespace
}  // namespace korvanta
