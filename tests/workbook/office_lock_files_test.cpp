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
  EXPECT_EQ(OfficeLockFile(report), std::nullopt);
  test::WriteFile(dir / "~$other.xlsx", "");
  EXPECT_EQ(OfficeLockFile(report), std::nullopt);
  test::WriteFile(dir / "~$report.xlsx", "");
  EXPECT_EQ(OfficeLockFile(report), dir / "~$report.xlsx");
  fs::remove(dir / "~$report.xlsx");
  test::WriteFile(dir / ".~lock.report.xlsx#", "");
  EXPECT_EQ(OfficeLockFile(report), dir / ".~lock.report.xlsx#");
  EXPECT_EQ(OfficeLockFile(dir / "missing.xlsx"), std::nullopt);
}

}  // namespace
}  // namespace korvanta::workbook
