#include "formats/photometry_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_opening.h"

namespace korvanta {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// At most 8 wavelengths, and as many samples as wavelengths are missing from 10.
constexpr PhotometryLimits kLimits{8, [](int wavelengths) { return 10 - wavelengths; }};

PhotometryFile Read(std::string_view text, std::vector<std::string>* warnings = nullptr) {
  ExportFile file(text, "t.pht", [warnings](const std::string& w) {
    if (warnings) warnings->push_back(w);
  });
  return ReadPhotometryFile(file, ReadOpening(file), kLimits);
}

TEST(PhotometryFormat, ReadsEveryFieldInFileOrder) {
  const auto record = Read(
      "4\n2\n12abc\nName with  blanks \n3\n2.5\nx\n2\n260\n320.5\n1\n2\n001\n0.1\nOVER\n 002\n"
      "0.3\n-0.4");
  EXPECT_EQ(record.opening.method_type, 4);
  EXPECT_EQ(record.opening.measurement_type, 2);
  EXPECT_EQ(record.opening.MethodCode(), 12);
  EXPECT_EQ(record.sample_name, "Name with  blanks ");
  EXPECT_EQ(record.pathlength, 3);
  EXPECT_EQ(record.dilution_factor, "2.5");
  EXPECT_EQ(record.dummy, "x");
  EXPECT_EQ(record.wl_number, 2);
  EXPECT_THAT(record.wavelengths, ElementsAre(260.0F, 320.5F));
  EXPECT_EQ(record.datamode, 1);
  EXPECT_EQ(record.sample_number, 2);
  ASSERT_EQ(record.samples.size(), 2U);
  EXPECT_EQ(record.samples[0].sample_id, "001");
  EXPECT_THAT(record.samples[0].readings, ElementsAre("0.1", "OVER"));
  EXPECT_EQ(record.samples[1].sample_id, "002");  // blanks after a token read are skipped
  EXPECT_THAT(record.samples[1].readings, ElementsAre("0.3", "-0.4"));
}

TEST(PhotometryFormat, FieldsPastAnEarlyEndAreMissingNotInvented) {
  std::vector<std::string> warnings;
  const auto head_only = Read("4\n2\n0\nName\n", &warnings);
  EXPECT_EQ(head_only.pathlength, std::nullopt);  // not code 0, which would mean 0.1
  EXPECT_EQ(head_only.datamode, std::nullopt);    // not code 0, which would mean "%T"
  EXPECT_EQ(head_only.wl_number, 0);
  EXPECT_EQ(head_only.sample_number, 0);
  ASSERT_EQ(warnings.size(), 1U);
  EXPECT_THAT(warnings[0], HasSubstr("pathlength"));

  const auto in_samples = Read("4\n2\n0\nN\n1\n1\n0\n3\n260\n280\n300\n1\n4\nA\n1\n2\n3\nB\n4\n");
  EXPECT_EQ(in_samples.pathlength, 1);
  EXPECT_EQ(in_samples.datamode, 1);
  EXPECT_EQ(in_samples.sample_number, 4);  // the report keeps a row for every sample
  ASSERT_EQ(in_samples.samples.size(), 2U);
  EXPECT_THAT(in_samples.samples[1].readings, ElementsAre("4"));

  const auto in_wavelengths = Read("4\n2\n0\nN\n1\n1\n0\n3\n260\n");
  EXPECT_EQ(in_wavelengths.wl_number, 3);
  EXPECT_THAT(in_wavelengths.wavelengths, ElementsAre(260.0F));
}

TEST(PhotometryFormat, CountsBeyondTheLimitsAreRefusedWhereTheyStand) {
  EXPECT_EQ(Read("4\n2\n0\nN\n1\n1\n0\n8\n").wl_number, 8);
  EXPECT_THAT([] { Read("4\n2\n0\nN\n1\n1\n0\n9\n"); },
              ::testing::ThrowsMessage<ExportFileError>(
                  "t.pht, line 8: wl_number is 9, more than a report can hold (at most 8)."));
  // The samples' limit follows the wavelengths read: 8 leave room for 2.
  const std::string eight_wavelengths = "4\n2\n0\nN\n1\n1\n0\n8\n1\n2\n3\n4\n5\n6\n7\n8\n1\n";
  EXPECT_EQ(Read(eight_wavelengths + "2\n").sample_number, 2);
  EXPECT_THAT([&] { Read(eight_wavelengths + "3\n"); },
              ::testing::ThrowsMessage<ExportFileError>(
                  AllOf(HasSubstr("sample_number"), HasSubstr("line 18"), HasSubstr("at most 2"))));
  const auto negative = Read("4\n2\n0\nN\n1\n1\n0\n-2\n1\n-5\n");
  EXPECT_EQ(negative.wl_number, 0);
  EXPECT_EQ(negative.sample_number, 0);
}

}  // namespace
}  // namespace korvanta
