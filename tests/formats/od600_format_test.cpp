// Reading the OD600 export format.
#include "formats/od600_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Reader : test::ExportReader {
  explicit Reader(std::string_view text) : ExportReader(text, "test.od") {}
};

constexpr const char* kTwoSamples =
    "3\n2\n 12abc\nE. coli\n5\n1.5\n1\n2\nOD600\n600.5\n595\n800\n1\n7\n2\n"
    "flask 1\n0.512\n\n  flask 2\n1.024\n";

TEST(Od600Format, FieldsLandInFileOrder) {
  Reader reader(kTwoSamples);
  const Od600File record = ReadOd600File(reader.file, ReadOpening(reader.file), {100, 100});
  EXPECT_EQ(record.opening.method_type, 3);
  EXPECT_EQ(record.opening.measurement_type, 2);
  EXPECT_EQ(record.opening.MethodCode(), 12);
  EXPECT_EQ(record.sample_name, "E. coli");
  EXPECT_EQ(record.pathlength, 5);
  EXPECT_EQ(record.dilution_factor, "1.5");
  EXPECT_EQ(record.background, 1);
  // The dummy token stands between the count and the wavelengths.
  EXPECT_EQ(record.dummy, "OD600");
  EXPECT_EQ(record.wavelengths, (std::vector<float>{600.5f, 595.0f}));
  EXPECT_EQ(record.factor, "800");
  EXPECT_EQ(record.unit, "1");
  EXPECT_EQ(record.multiple, 7);
  ASSERT_EQ(record.samples.size(), 2u);
  EXPECT_EQ(record.samples[0].sample_id, "flask 1");
  EXPECT_EQ(record.samples[0].od_value, "0.512");
  EXPECT_EQ(record.samples[1].sample_id, "flask 2");
  EXPECT_EQ(record.samples[1].od_value, "1.024");
  // Each sample's OD times the factor, once for every output.
  EXPECT_EQ(record.samples[0].cells, "409.6");
  EXPECT_EQ(record.samples[1].cells, "819.2");
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(Od600Format, HeadStopsAtTheUnitAndKnowsItsLine) {
  Reader reader(kTwoSamples);
  Od600File record = ReadOd600Head(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.unit, "1");
  EXPECT_EQ(record.unit_line, 13);
  EXPECT_FALSE(record.multiple.has_value());
  EXPECT_TRUE(record.samples.empty());

  ReadOd600Samples(reader.file, 100, record);
  EXPECT_EQ(record.multiple, 7);
  EXPECT_EQ(record.samples.size(), 2u);
}

TEST(Od600Format, UnitIsKeptAsWritten) {
  Reader reader("3\n2\n1\nname\n4\n1\n0\n0\nx\n800\n01\n");
  EXPECT_EQ(ReadOd600Head(reader.file, ReadOpening(reader.file), 100).unit, "01");
}

TEST(Od600Format, SampleCountsAreChecked) {
  Reader too_many("3\n2\n1\nname\n4\n1\n0\n0\nx\n800\n1\n0\n5\n");
  EXPECT_THROW(ReadOd600File(too_many.file, ReadOpening(too_many.file), {100, 4}), ExportFileError);

  Reader negative("3\n2\n1\nname\n4\n1\n0\n0\nx\n800\n1\n0\n-2\nS\n0.5\n");
  EXPECT_TRUE(ReadOd600File(negative.file, ReadOpening(negative.file), {100, 4}).samples.empty());
}

TEST(Od600Format, FieldsPastAnEarlyEndAreMissingNotInvented) {
  Reader in_head("3\n2\n1\nname\n4\n1\n0\n0\nx\n800\n1\n");
  const Od600File head = ReadOd600File(in_head.file, ReadOpening(in_head.file), {100, 4});
  EXPECT_EQ(head.pathlength, 4);
  EXPECT_FALSE(head.multiple.has_value());
  EXPECT_TRUE(head.samples.empty());
  EXPECT_EQ(in_head.warnings.size(), 1u);

  Reader in_wavelengths("3\n2\n1\nname\n4\n1\n0\n2\nx\n");
  EXPECT_TRUE(ReadOd600Head(in_wavelengths.file, ReadOpening(in_wavelengths.file), 100)
                  .wavelengths.empty());

  Reader in_samples("3\n2\n1\nname\n4\n1\n0\n0\nx\n800\n1\n0\n3\nA\n0.5\nB\n");
  const Od600File cut = ReadOd600File(in_samples.file, ReadOpening(in_samples.file), {100, 4});
  ASSERT_EQ(cut.samples.size(), 2u);
  EXPECT_EQ(cut.samples[1].sample_id, "B");
  EXPECT_EQ(cut.samples[1].od_value, "");
}

}  // namespace
}  // namespace korvanta
