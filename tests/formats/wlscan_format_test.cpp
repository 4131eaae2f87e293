// Reading the WL Scan export format and working out its interval.
#include "formats/wlscan_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Reader : test::ExportReader {
  explicit Reader(std::string_view text) : ExportReader(text, "test.wsc") {}
};

std::string WlScanText(const std::string& start, const std::string& end, const std::string& code,
                       const std::string& count_and_values = "0\n") {
  return "4\n0\n1\nLysozyme\n4\n0\n0\n0\n" + start + "\n" + end + "\n" + code + "\n601\n" +
         count_and_values;
}

std::optional<float> IntervalOf(const std::string& start, const std::string& end,
                                const std::string& code) {
  Reader reader(WlScanText(start, end, code));
  return ReadWlScanFile(reader.file, ReadOpening(reader.file), 100).interval;
}

TEST(WlScanFormat, FieldsLandInFileOrder) {
  Reader reader(WlScanText("200", "800", "3", "2\n1.2345\n1.2001\n"));
  const WlScanFile record = ReadWlScanFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.opening.method_type, 4);
  EXPECT_EQ(record.opening.measurement_type, 0);
  EXPECT_EQ(record.opening.MethodCode(), 1);
  EXPECT_EQ(record.sample_name, "Lysozyme");
  EXPECT_EQ(record.pathlength, 4);
  EXPECT_EQ(record.datamode, 0);
  EXPECT_EQ(record.startwl, "200");
  EXPECT_EQ(record.endwl, "800");
  EXPECT_EQ(record.sampleinterval, 3);
  EXPECT_EQ(record.totaldatanumber, 601);
  EXPECT_EQ(record.values, (std::vector<std::string>{"1.2345", "1.2001"}));
  EXPECT_EQ(record.wavelengths, (std::vector<float>{200.0f, 201.0f}));  // code 3: 1 nm apart
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(WlScanFormat, CodesOneToFiveNameTheInterval) {
  EXPECT_EQ(IntervalOf("200", "700", "1"), 0.2f);
  EXPECT_EQ(IntervalOf("200", "700", "2"), 0.5f);
  EXPECT_EQ(IntervalOf("200", "700", "3"), 1.0f);
  EXPECT_EQ(IntervalOf("200", "700", "4"), 2.0f);
  EXPECT_EQ(IntervalOf("200", "700", "5"), 5.0f);
}

TEST(WlScanFormat, AutomaticIntervalFollowsTheRange) {
  EXPECT_EQ(IntervalOf("200", "700", "0"), 0.5f);    // exactly 500 nm
  EXPECT_EQ(IntervalOf("200", "700.5", "0"), 1.0f);  // wider
  EXPECT_EQ(IntervalOf("190", "1100", "0"), 1.0f);
  EXPECT_EQ(IntervalOf("800", "200", "0"), 0.5f);  // a falling range is not wider
  EXPECT_EQ(IntervalOf("200nm", "750nm", "0"), 1.0f);
}

TEST(WlScanFormat, CodeOutsideTheTableIsRefusedNamingItsLine) {
  for (const char* code : {"6", "-1", "99"}) {
    Reader reader(WlScanText("200", "700", code));
    try {
      ReadWlScanFile(reader.file, ReadOpening(reader.file), 100);
      ADD_FAILURE() << "code " << code << " accepted";
    } catch (const ExportFileError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(std::string("interval code ") + code), std::string::npos) << message;
      EXPECT_NE(message.find("line 11"), std::string::npos) << message;
    }
  }
}

TEST(WlScanFormat, FileEndingEarlyLeavesTheIntervalMissing) {
  Reader reader("4\n0\n1\nLysozyme\n4\n0\n0\n0\n200\n700\n");
  const WlScanFile record = ReadWlScanFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.endwl, "700");
  EXPECT_FALSE(record.sampleinterval.has_value());
  EXPECT_FALSE(record.interval.has_value());
  EXPECT_TRUE(record.values.empty());
  EXPECT_FALSE(reader.warnings.empty());
}

}  // namespace
}  // namespace korvanta
