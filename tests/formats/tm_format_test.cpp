// Reading the TM export format and its code tables.
#include "formats/tm_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Reader : test::ExportReader {
  explicit Reader(std::string_view text) : ExportReader(text, "test.tm") {}
};

TEST(TmFormat, FieldsLandInFileOrder) {
  Reader reader(
      "3\n7\n 2x\nDNA melt\n5\n1\n260\n1\n25.1\n95\n3\n0.1\n30\n0.98\n701\n2\n0.801\n0.802\n");
  const TmFile record = ReadTmFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.opening.method_type, 3);
  EXPECT_EQ(record.opening.measurement_type, 7);
  EXPECT_EQ(record.opening.MethodCode(), 2);
  EXPECT_EQ(record.sample_name, "DNA melt");
  EXPECT_EQ(record.pathlength, 5);
  EXPECT_EQ(record.datamode, 1);
  EXPECT_EQ(record.starttemp, "25.1");
  EXPECT_EQ(record.endtemp, "95");
  EXPECT_EQ(record.heatmode, 3);
  EXPECT_EQ(record.dataresot, "0.1");
  EXPECT_EQ(record.kquiltime, "30");
  EXPECT_EQ(record.k, "0.98");
  EXPECT_EQ(record.measurenumber, 701);
  EXPECT_EQ(record.values, (std::vector<std::string>{"0.801", "0.802"}));
  // One temperature per reading, in single precision.
  EXPECT_EQ(record.temperatures, (std::vector<float>{25.1f, 0.1f + 25.1f}));
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(TmFormat, CodeTables) {
  EXPECT_EQ(TmDataModeText(1), "OD");
  EXPECT_FALSE(TmDataModeText(0).has_value());
  EXPECT_FALSE(TmDataModeText(2).has_value());
  EXPECT_EQ(HeatingRateText(0), "1/min");
  EXPECT_EQ(HeatingRateText(1), "2/min");
  EXPECT_EQ(HeatingRateText(2), "QUICK+1/min");
  EXPECT_EQ(HeatingRateText(3), "QUICK+2/min");
  EXPECT_FALSE(HeatingRateText(4).has_value());
  EXPECT_FALSE(HeatingRateText(-1).has_value());
}

TEST(TmFormat, FileEndingEarlyLeavesCodesMissingAndNoPoints) {
  Reader reader("3\n1\n2\nDNA melt\n5\n1\n260\n1\n20\n");
  const TmFile record = ReadTmFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.datamode, 1);
  EXPECT_EQ(record.starttemp, "20");
  EXPECT_EQ(record.endtemp, "");
  EXPECT_FALSE(record.heatmode.has_value());
  EXPECT_FALSE(record.measurenumber.has_value());
  EXPECT_TRUE(record.values.empty());
  EXPECT_TRUE(record.temperatures.empty());
  EXPECT_FALSE(reader.warnings.empty());
}

TEST(TmFormat, CountAboveTheLimitIsRefused) {
  Reader reader("3\n1\n2\nDNA melt\n5\n1\n260\n1\n20\n90\n0\n0.5\n30\n1\n141\n141\n");
  EXPECT_THROW(ReadTmFile(reader.file, ReadOpening(reader.file), 140), ExportFileError);
}

}  // namespace
}  // namespace korvanta
