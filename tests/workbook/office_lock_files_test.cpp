#include "workbook/office_lock_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files.h"
#include "support/paths.h"

namespace korvanta::workbook {
namespace {

namespace fs = std::filesystem;

TEST(OpenWorkbooks, AreRecognisedByTheLockFilesOfOfficeApplications) {
  const test::TempDir dir;
  const fs::path report = dir / "report.xlsx";
  test::WriteFile(report, "x");
  EXPECT_FALSE(IsWorkbookOpen(report));
  test::WriteFile(dir / "~$other.xlsx", "");
  EXPECT_FALSE(IsWorkbookOpen(report));
  test::WriteFile(dir / "~$report.xlsx", "");
  EXPECT_TRUE(IsWorkbookOpen(report));
  fs::remove(dir / "~$report.xlsx");
  test::WriteFile(dir / ".~lock.report.xlsx#", "");
  EXPECT_TRUE(IsWorkbookOpen(report));
  EXPECT_FALSE(IsWorkbookOpen(dir / "missing.xlsx"));
}

}  // namespace
}  // namespace korvanta::workbook
