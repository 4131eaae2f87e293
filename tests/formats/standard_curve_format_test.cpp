#include "formats/standard_curve_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

// Reads the body of `text` (which starts at method_str), collecting the warnings.
struct Parsed {
  StandardCurveRecord record;
  std::vector<std::string> warnings;
};

constexpr StandardCurveLimits kRoomy{64, [](bool, int) { return 64; },
                                     [](bool, int, int) { return 64; }};

Parsed Parse(const std::string& text, const StandardCurveLimits& limits = kRoomy) {
  test::ExportReader reader(text, "test.pro");
  Opening opening;
  opening.method_str = reader.file.ReadLine("method_str");
  auto record = ReadStandardCurveBody(reader.file, opening, limits);
  return {std::move(record), reader.warnings};
}

TEST(StandardCurveFormat, StandardCurveModeReadsStandardsAndCorrelation) {
  const Parsed parsed = Parse(
      "1\n"
      "BSA plate 3\n"
      "1\n"
      "2\n"
      "00\n"
      "2\n"
      "0\n"
      "2\n"
      "595.0\n"
      "562.5\n"
      "125 0.112\n"
      "250 0.219\n"
      "-0.0123\n"
      "0.8765\n"
      "0.9987\n"
      "2\n"
      "S-001\n"
      "0.45 0.44\n"
      "0.452\n"
      "395.3\n"
      "001\n"
      "0.51 0.50 0.512 448.7\n");
  ASSERT_TRUE(parsed.warnings.empty());
  const StandardCurveRecord& r = parsed.record;
  EXPECT_EQ(r.opening.MethodCode(), 1);
  EXPECT_EQ(r.sample_name, "BSA plate 3");
  EXPECT_EQ(r.pathlength, 1);
  EXPECT_EQ(r.dilution_factor, "2");
  EXPECT_EQ(r.unit_style, "00");
  EXPECT_EQ(r.calibration_mode, 0);
  EXPECT_TRUE(r.IsStandardCurve());
  ASSERT_EQ(r.wavelengths.size(), 2u);
  EXPECT_EQ(r.wavelengths[0], 595.0f);
  EXPECT_EQ(r.wavelengths[1], 562.5f);
  ASSERT_EQ(r.standards.size(), 2u);
  EXPECT_EQ(r.standards[1].first, "250");
  EXPECT_EQ(r.standards[1].second, "0.219");
  EXPECT_EQ(r.k0, "-0.0123");
  EXPECT_EQ(r.k1, "0.8765");
  EXPECT_EQ(r.r, "0.9987");
  ASSERT_EQ(r.samples.size(), 2u);
  EXPECT_EQ(r.samples[0].sample_id, "S-001");
  EXPECT_EQ(r.samples[0].wl_od_values, (std::vector<std::string>{"0.45", "0.44"}));
  EXPECT_EQ(r.samples[0].od_value, "0.452");
  EXPECT_EQ(r.samples[0].concentration, "395.3");
  EXPECT_EQ(r.samples[1].sample_id, "001");
  EXPECT_EQ(r.samples[1].concentration, "448.7");
}

TEST(StandardCurveFormat, OtherModesHaveNoStandardsAndNoCorrelation) {
  // In K-factor mode k0 follows the wavelengths and sample_number follows k1; std_number is
  // read and ignored. An unknown mode reads the same way.
  for (const char* mode : {"1", "2"}) {
    const Parsed parsed = Parse(std::string("3\nname\n4\n1\n03\n5\n") + mode +
                                "\n1\n280\n0.5\n1.25\n1\nA\n0.3 0.3 0.875\n");
    ASSERT_TRUE(parsed.warnings.empty()) << mode;
    const StandardCurveRecord& r = parsed.record;
    EXPECT_FALSE(r.IsStandardCurve());
    EXPECT_EQ(r.std_number, 5);
    EXPECT_TRUE(r.standards.empty());
    EXPECT_FALSE(r.r.has_value());
    EXPECT_EQ(r.k0, "0.5");
    EXPECT_EQ(r.k1, "1.25");
    ASSERT_EQ(r.samples.size(), 1u);
    EXPECT_EQ(r.samples[0].concentration, "0.875");
  }
}

TEST(StandardCurveFormat, NoWavelengthsPutsOdValueFirst) {
  const Parsed parsed = Parse("2\nx\n4\n1\n00\n0\n1\n0\n0\n1\n1\nid\n0.7\n0.9\n");
  ASSERT_TRUE(parsed.warnings.empty());
  const StandardCurveRecord& r = parsed.record;
  EXPECT_TRUE(r.wavelengths.empty());
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_TRUE(r.samples[0].wl_od_values.empty());
  EXPECT_EQ(r.samples[0].sample_id, "id");
  EXPECT_EQ(r.samples[0].od_value, "0.7");
  EXPECT_EQ(r.samples[0].concentration, "0.9");
}

TEST(StandardCurveFormat, WhiteSpaceAroundSampleIds) {
  // A blank line after a count is passed over and leading blanks of the id are dropped; the
  // sample name follows the method line and is taken as it stands, even empty.
  const Parsed parsed = Parse("1abc\n\n4\n1\n00\n0\n1\n0\n0\n1\n1\n\n\n   S 7 \n0.1\n0.2\n");
  const StandardCurveRecord& r = parsed.record;
  EXPECT_EQ(r.opening.MethodCode(), 1);
  EXPECT_EQ(r.sample_name, "");
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0].sample_id, "S 7 ");
  EXPECT_EQ(r.samples[0].od_value, "0.1");
}

TEST(StandardCurveFormat, MethodWithoutDigitsIsCodeZero) {
  EXPECT_EQ(Parse("BRADFORD\nx\n").record.opening.MethodCode(), 0);
}

TEST(StandardCurveFormat, FileEndingEarlyLeavesMissingFieldsEmpty) {
  // Ends inside the second sample: its values are empty, the codes read are kept.
  const Parsed parsed = Parse("1\nx\n6\n1\n01\n0\n1\n1\n280\n0\n2\n2\nA\n0.1 0.1 1.0\nB\n0.2");
  const StandardCurveRecord& r = parsed.record;
  EXPECT_FALSE(parsed.warnings.empty());
  EXPECT_EQ(r.pathlength, 6);
  EXPECT_EQ(r.calibration_mode, 1);
  ASSERT_EQ(r.samples.size(), 2u);
  EXPECT_EQ(r.samples[1].wl_od_values, (std::vector<std::string>{"0.2"}));
  EXPECT_EQ(r.samples[1].od_value, "");
  EXPECT_EQ(r.samples[1].concentration, "");
}

TEST(StandardCurveFormat, FileEndingBeforeTheCodesLeavesThemUnknown) {
  const Parsed parsed = Parse("1\nname only\n");
  const StandardCurveRecord& r = parsed.record;
  EXPECT_FALSE(parsed.warnings.empty());
  EXPECT_FALSE(r.pathlength.has_value());
  EXPECT_FALSE(r.calibration_mode.has_value());
  EXPECT_FALSE(r.IsStandardCurve());
  EXPECT_TRUE(r.wavelengths.empty());
  EXPECT_TRUE(r.samples.empty());
}

TEST(StandardCurveFormat, NothingPastTheEndIsInvented) {
  // Only the wavelengths, standards and samples the file holds are kept.
  const StandardCurveRecord in_wavelengths = Parse("1\nx\n4\n1\n00\n0\n1\n3\n595\n").record;
  EXPECT_EQ(in_wavelengths.wavelengths, std::vector<float>{595.0f});
  const StandardCurveRecord in_standards =
      Parse("1\nx\n4\n1\n00\n4\n0\n1\n595\n0 0.1\n100 0.2\n").record;
  ASSERT_EQ(in_standards.standards.size(), 2u);
  EXPECT_EQ(in_standards.standards[1].second, "0.2");
  const StandardCurveRecord in_samples =
      Parse("1\nx\n4\n1\n00\n0\n1\n1\n595\n0\n1\n5\nA\n1 2 3\nB\n4 5 6\n").record;
  ASSERT_EQ(in_samples.samples.size(), 2u);
  EXPECT_EQ(in_samples.samples[1].sample_id, "B");
  EXPECT_EQ(in_samples.samples[1].concentration, "6");
}

TEST(StandardCurveFormat, NegativeCountsAreTakenAsZero) {
  const Parsed parsed = Parse("1\nx\n4\n1\n00\n-3\n0\n-2\n0.1\n2\n0.99\n-5\n");
  const StandardCurveRecord& r = parsed.record;
  EXPECT_TRUE(r.standards.empty());
  EXPECT_TRUE(r.wavelengths.empty());
  EXPECT_TRUE(r.samples.empty());
  EXPECT_EQ(r.k0, "0.1");
  EXPECT_EQ(r.r, "0.99");
  EXPECT_FALSE(parsed.warnings.empty());
}

TEST(StandardCurveFormat, EachCountIsHeldToLimitsOfWhatWasReadBeforeIt) {
  // 3 standards; 4 wavelengths less the standards in curve mode; 6 samples less both.
  const StandardCurveLimits limits{
      3, [](bool curve, int standards) { return 4 - (curve ? standards : 0); },
      [](bool curve, int standards, int wavelengths) {
        return 6 - (curve ? standards : 0) - wavelengths;
      }};
  const std::string head = "1\nx\n4\n1\n00\n";
  const std::string factor_mode_three_wavelengths = head + "2\n1\n3\n280\n281\n282\n0\n1\n";
  struct Case {
    std::string text;
    const char* refused;  // the count refused; nothing when the file is read
  };
  const Case cases[] = {
      {head + "4\n", "std_number is 4"},
      {head + "2\n0\n3\n", "wl_number is 3"},  // curve mode: 2 left
      {head + "2\n0\n2\n280\n281\n1 2\n3 4\n0\n1\n0.9\n3\n", "sample_number is 3"},
      {factor_mode_three_wavelengths + "3\n", nullptr},
      {factor_mode_three_wavelengths + "4\n", "sample_number is 4"},
  };
  for (const Case& c : cases) {
    if (c.refused) {
      EXPECT_THAT([&] { Parse(c.text, limits); },
                  testing::ThrowsMessage<ExportFileError>(testing::HasSubstr(c.refused)))
          << c.text;
    } else {
      EXPECT_NO_THROW(Parse(c.text, limits)) << c.text;
    }
  }
}

TEST(EquationText, SignOfTheConstantTerm) {
  EXPECT_EQ(EquationText("-0.0123", "0.8765"), "CONC = 0.8765 * OD - 0.0123");
  EXPECT_EQ(EquationText("0.0123", "0.8765"), "CONC = 0.8765 * OD + 0.0123");
  // Only a leading minus is recognised; a lone minus leaves nothing after it.
  EXPECT_EQ(EquationText("+0.5", "2"), "CONC = 2 * OD + +0.5");
  EXPECT_EQ(EquationText("-", "2"), "CONC = 2 * OD - ");
  EXPECT_EQ(EquationText("", ""), "CONC =  * OD + ");
}

}  // namespace
}  // namespace korvanta
