// The measurement time: RFC 3339 with the offset of the local time zone, or UTC when fixed.
#include "asm/measurement_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "support/paths.h"

namespace korvanta {
namespace {

class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (old_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", old_.c_str(), 1);
    }
    tzset();
  }

 private:
  std::string old_;
};

TEST(MeasurementTime, LocalTimeCarriesItsOffsetAndUtcReadsZero) {
  struct Case {
    const char* zone;
    std::time_t moment;
    const char* expected;
  };
  const Case cases[] = {
      {"Asia/Kolkata", 1700000000, "2023-11-15T03:43:20+05:30"},
      {"America/New_York", 1700000000, "2023-11-14T17:13:20-05:00"},
      {"America/New_York", 1690000000, "2023-07-22T00:26:40-04:00"},  // summer time
      {"Pacific/Chatham", 1700000000, "2023-11-15T11:58:20+13:45"},
      {"UTC", 0, "1970-01-01T00:00:00+00:00"},
  };
  for (const Case& c : cases) {
    const TimeZone zone(c.zone);
    EXPECT_EQ(Rfc3339Time(c.moment, false), c.expected) << c.zone;
    EXPECT_EQ(Rfc3339Time(c.moment, true).substr(19), "+00:00") << c.zone;
  }
}

TEST(MeasurementTime, TheFilesModificationTimeUnlessTheTimeIsFixed) {
  const TimeZone zone("Asia/Kolkata");
  test::TempDir dir;
  const auto file = dir.path() / "a.pht";
  std::ofstream(file) << "4\n";
  std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::from_sys(
                                             std::chrono::system_clock::from_time_t(1700000000)));
  EXPECT_EQ(MeasurementTime(file, std::nullopt), "2023-11-15T03:43:20+05:30");
  EXPECT_EQ(MeasurementTime(file, 1600000000), "2020-09-13T12:26:40+00:00");
}

}  // namespace
}  // namespace korvanta
