// Conversions share no state: several at once give the bytes of one at a time, and saving
// touches nothing the process shares (its umask, its time zone).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "cli/job_pool.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"
#include "workbook/atomic_file.h"

namespace {

// Every change of the process's umask while the tests run.
std::atomic<int> umask_changes{0};

}  // namespace

extern "C" mode_t umask(mode_t mask) {
  using Umask = mode_t (*)(mode_t);
  static const auto real = reinterpret_cast<Umask>(::dlsym(RTLD_NEXT, "umask"));
  ++umask_changes;
  return real(mask);
}

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

fs::path ExamplesDir() { return test::TestDataDir().parent_path().parent_path() / "examples"; }

std::vector<fs::path> Examples() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(ExamplesDir())) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool Convert(const fs::path& input, const fs::path& output) {
  test::RecordingHost host;
  return test::ConvertFile(input, output, host, test::TemplateDir()).status ==
         ConversionStatus::kCompleted;
}

mode_t ModeOf(const fs::path& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

// Sets the time zone for the life of the object.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~TimeZone() {
    if (old_) {
      ::setenv("TZ", old_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

 private:
  std::optional<std::string> old_;
};

TEST(ParallelConversion, ManyAtOnceGiveTheBytesOfOneAtATime) {
  const test::TempDir dir;
  const auto examples = Examples();
  const std::size_t copies = 3;
  fs::create_directories(dir / "one");
  for (std::size_t copy = 0; copy < copies; ++copy) {
    fs::create_directories(dir / ("many" + std::to_string(copy)));
  }
  for (const fs::path& input : examples) {
    ASSERT_TRUE(Convert(input, dir / "one" / (input.stem().string() + ".xlsx")));
  }
  // Each example three times over, eight at once.
  std::vector<int> converted(examples.size() * copies, 0);
  RunJobs(converted.size(), 8, [&](std::size_t i) {
    const fs::path& input = examples[i % examples.size()];
    const fs::path output =
        dir / ("many" + std::to_string(i / examples.size())) / (input.stem().string() + ".xlsx");
    converted[i] = Convert(input, output) ? 1 : 0;
  });
  EXPECT_EQ(std::count(converted.begin(), converted.end(), 1),
            static_cast<std::ptrdiff_t>(converted.size()));
  for (std::size_t copy = 0; copy < copies; ++copy) {
    for (const fs::path& input : examples) {
      const std::string name = input.stem().string() + ".xlsx";
      EXPECT_EQ(test::ReadFile(dir / ("many" + std::to_string(copy)) / name),
                test::ReadFile(dir / "one" / name))
          << name;
    }
  }
  // No temporary file is left behind.
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
}

TEST(ParallelConversion, SavingLeavesTheUmaskAloneAndHonoursIt) {
  const test::TempDir dir;
  fs::create_directories(dir / "out");
  const mode_t before = ::umask(027);
  umask_changes = 0;
  RunJobs(8, 4, [&](std::size_t i) {
    EXPECT_TRUE(Convert(ExamplesDir() / "tm.tm", dir / "out" / (std::to_string(i) + ".xlsx")));
  });
  // Not even for a moment: another thread creating a file then would get the wrong mode.
  EXPECT_EQ(umask_changes.load(), 0);
  const mode_t during = ::umask(before);
  EXPECT_EQ(during, 027);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ModeOf(dir / "out" / (std::to_string(i) + ".xlsx")), 0640U);
  }
}

TEST(ParallelConversion, AReplacedReportKeepsItsMode) {
  const test::TempDir dir;
  test::WriteFile(dir / "r.xlsx", "earlier");
  fs::permissions(dir / "r.xlsx", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(Convert(ExamplesDir() / "tm.tm", dir / "r.xlsx"));
  EXPECT_NE(test::ReadFile(dir / "r.xlsx"), "earlier");
  EXPECT_EQ(ModeOf(dir / "r.xlsx"), 0600U);
}

TEST(ParallelConversion, AFixedTimeGivesTheSameBytesInEveryTimeZone) {
  const test::TempDir dir;
  {
    const TimeZone zone("UTC");
    ASSERT_TRUE(Convert(ExamplesDir() / "wlscan.wsc", dir / "utc.xlsx"));
  }
  {
    const TimeZone zone("America/New_York");
    ASSERT_TRUE(Convert(ExamplesDir() / "wlscan.wsc", dir / "new_york.xlsx"));
  }
  const std::string bytes = test::ReadFile(dir / "utc.xlsx");
  EXPECT_TRUE(test::ReadFile(dir / "new_york.xlsx") == bytes);
  // The first entry's stamp: 2023-11-14 22:13:20 in the zip format's fields.
  ASSERT_GT(bytes.size(), 14U);
  const auto field = [&](std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  EXPECT_EQ(field(10), (22 << 11) | (13 << 5) | (20 / 2));
  EXPECT_EQ(field(12), ((2023 - 1980) << 9) | (11 << 5) | 14);
}

}  // namespace
}  // namespace korvanta::cli
