// The window's batch: what a run gives back.
#include "app/batch_conversion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "support/files.h"
#include "support/paths.h"

namespace korvanta::gui {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

TEST(BatchRun, RefusedFilesAreFailuresAndAStopEndsBeforeTheNextFile) {
  const test::TempDir dir;
  test::WriteFile(dir / "a.pht", "4\n2\n0\nSeries\n1\n1\n0\n2\n260\n280\n1\n1\nS1\n0.5\n0.6\n");
  fs::create_directory(dir / "out");
  BatchPlan plan({std::nullopt, (dir / "out").string(), {}});
  const std::vector<BatchEntry> items{plan.Add((dir / "a.pht").string()),
                                      plan.Add((dir / "a.tm").string())};
  ConversionSettings settings;
  settings.template_dir = test::TemplateDir();
  std::atomic<bool> stop = false;
  std::vector<std::size_t> progress;
  const auto outcomes =
      RunBatch(items, settings, false, stop, [&](std::size_t done) { progress.push_back(done); });
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_TRUE(outcomes[0].converted) << outcomes[0].message;
  EXPECT_FALSE(outcomes[1].converted);
  EXPECT_EQ(outcomes[1].message, items[1].refusal);
  EXPECT_THAT(progress, ElementsAre(1u, 2u));

  stop = true;
  EXPECT_TRUE(RunBatch(items, settings, false, stop, [](std::size_t) {}).empty());
}

}  // namespace
}  // namespace korvanta::gui
