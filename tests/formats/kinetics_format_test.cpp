// Reading the Kinetics export format and working out its interval.
#include "formats/kinetics_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "support/export_reader.h"

namespace korvanta {
namespace {

struct Reader : test::ExportReader {
  explicit Reader(std::string_view text) : ExportReader(text, "test.tsc") {}
};

std::string KineticsText(const std::string& scantime, const std::string& interval_code,
                         const std::string& count_and_values) {
  return "4\n1\nKinetics method\nEnzyme A\n4\n1\nx\ny\n" + scantime + "\n340\n" + interval_code +
         "\n600\n" + count_and_values;
}

std::optional<std::int32_t> IntervalOf(const std::string& scantime, const std::string& code) {
  Reader reader(KineticsText(scantime, code, "0\n"));
  return ReadKineticsFile(reader.file, ReadOpening(reader.file), 100).interval;
}

TEST(KineticsFormat, FieldsLandInFileOrder) {
  Reader reader(KineticsText("600", "1", "3\n0.1021\n0.1043\n-0.0005\n"));
  const KineticsFile record = ReadKineticsFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.opening.method_type, 4);
  EXPECT_EQ(record.opening.measurement_type, 1);
  EXPECT_EQ(record.opening.method_str, "Kinetics method");
  EXPECT_EQ(record.sample_name, "Enzyme A");
  EXPECT_EQ(record.pathlength, 4);
  EXPECT_EQ(record.datamode, 1);
  EXPECT_EQ(record.scantime, "600");
  EXPECT_EQ(record.wl, "340");
  EXPECT_EQ(record.sample_interval, "1");
  EXPECT_EQ(record.totaldatanumber, 600);
  EXPECT_EQ(record.values, (std::vector<std::string>{"0.1021", "0.1043", "-0.0005"}));
  EXPECT_EQ(record.times, (std::vector<std::int64_t>{0, 1, 2}));  // code 1: a second apart
  EXPECT_TRUE(reader.warnings.empty());
}

TEST(KineticsFormat, CodesOneToSixNameTheInterval) {
  EXPECT_EQ(IntervalOf("100000", "1"), 1);
  EXPECT_EQ(IntervalOf("100000", "2"), 2);
  EXPECT_EQ(IntervalOf("1", "3"), 5);
  EXPECT_EQ(IntervalOf("1", "4"), 10);
  EXPECT_EQ(IntervalOf("1", "5"), 50);
  EXPECT_EQ(IntervalOf("1", "6"), 100);
  // The code is a token read by its leading number.
  EXPECT_EQ(IntervalOf("1", "3s"), 5);
}

TEST(KineticsFormat, AutomaticIntervalFollowsTheScanTime) {
  EXPECT_EQ(IntervalOf("1000", "0"), 1);
  EXPECT_EQ(IntervalOf("1001", "0"), 2);
  EXPECT_EQ(IntervalOf("2000", "0"), 2);
  EXPECT_EQ(IntervalOf("2001", "0"), 5);
  EXPECT_EQ(IntervalOf("5000", "0"), 5);
  EXPECT_EQ(IntervalOf("5001", "0"), 10);
  EXPECT_EQ(IntervalOf("10000", "0"), 10);
  EXPECT_EQ(IntervalOf("10001", "0"), 50);
  EXPECT_EQ(IntervalOf("20000", "0"), 50);
  EXPECT_EQ(IntervalOf("20001", "0"), 100);
  // The scan time counts by its leading integer.
  EXPECT_EQ(IntervalOf("1000.9", "0"), 1);
  EXPECT_EQ(IntervalOf("abc", "0"), 1);
}

TEST(KineticsFormat, OtherCodesAreTheIntervalItself) {
  EXPECT_EQ(IntervalOf("1", "9"), 9);
  EXPECT_EQ(IntervalOf("1", "-3"), -3);
  EXPECT_EQ(IntervalOf("1", "2147483647"), 2147483647);
}

TEST(KineticsFormat, FileEndingEarlyLeavesCodesMissingAndNoPoints) {
  Reader reader("4\n1\nKinetics\nEnzyme A\n4\n");
  const KineticsFile record = ReadKineticsFile(reader.file, ReadOpening(reader.file), 100);
  EXPECT_EQ(record.pathlength, 4);
  EXPECT_FALSE(record.datamode.has_value());
  EXPECT_FALSE(record.sample_interval.has_value());
  EXPECT_FALSE(record.interval.has_value());
  EXPECT_FALSE(record.totaldatanumber.has_value());
  EXPECT_TRUE(record.values.empty());
  EXPECT_FALSE(reader.warnings.empty());
}

TEST(KineticsFormat, ReadingsStopWhereTheFileEndsAndCountsAreChecked) {
  Reader short_file(KineticsText("600", "1", "3\n0.5\n"));
  const KineticsFile record = ReadKineticsFile(short_file.file, ReadOpening(short_file.file), 100);
  EXPECT_EQ(record.values, (std::vector<std::string>{"0.5"}));
  EXPECT_FALSE(short_file.warnings.empty());

  // A count the file does not hold costs nothing: no rows are made for it.
  Reader promises_many(KineticsText("600", "1", "1000000\n0.5\n0.6\n"));
  EXPECT_EQ(
      ReadKineticsFile(promises_many.file, ReadOpening(promises_many.file), 1048576).values.size(),
      2U);

  Reader negative(KineticsText("600", "1", "-4\n"));
  EXPECT_TRUE(ReadKineticsFile(negative.file, ReadOpening(negative.file), 100).values.empty());

  // An absurd interval code is the interval itself; the times pass the 32-bit range exactly.
  Reader absurd(KineticsText("600", "2000000000", "3\n1\n2\n3\n"));
  EXPECT_EQ(ReadKineticsFile(absurd.file, ReadOpening(absurd.file), 100).times.back(), 4000000000);

  Reader too_many(KineticsText("600", "1", "101\n"));
  EXPECT_THROW(ReadKineticsFile(too_many.file, ReadOpening(too_many.file), 100), ExportFileError);
}

}  // namespace
}  // namespace korvanta
