// Saving to a file: the output appears whole or not at all, an existing file survives every
// failure, no temporary file is left behind, and each failure names the path.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

namespace fs = std::filesystem;

Workbook FilledBook() {
  Workbook book =
      Workbook::LoadFromMemory(testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
        worksheet_write_string(sheet, 0, 0, "x", nullptr);
      }));
  for (int row = 1; row <= 200; ++row) WriteIntegerCell(book.ActiveSheet(), 'A', row, row);
  return book;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string SaveError(const Workbook& book, const fs::path& path) {
  try {
    book.Save(path);
  } catch (const WorkbookError& error) {
    return error.what();
  }
  return {};
}

// Files may not grow beyond `bytes` while it lives: writes fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previous_handler_{};
};

TEST(SaveToFile, WritesANewFileAndReplacesAnExistingOne) {
  const test::TempDir dir;
  const Workbook book = FilledBook();
  book.Save(dir / "report.xlsx");
  EXPECT_EQ(testing::NumberAt(Workbook::Load(dir / "report.xlsx").ActiveSheet(), "A200"), 200.0);

  test::WriteFile(dir / "old.xlsx", "old content");
  book.Save(dir / "old.xlsx");
  EXPECT_EQ(testing::NumberAt(Workbook::Load(dir / "old.xlsx").ActiveSheet(), "A7"), 7.0);
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"old.xlsx", "report.xlsx"}));
}

TEST(SaveToFile, AFailedWriteLeavesTheExistingFileAndNoTemporaryFile) {
  const test::TempDir dir;
  const Workbook book = FilledBook();
  test::WriteFile(dir / "report.xlsx", "the user's earlier report");
  std::string message;
  {
    const FileSizeLimit full_disk(512);
    message = SaveError(book, dir / "report.xlsx");
  }
  EXPECT_NE(message.find((dir / "report.xlsx").string()), std::string::npos) << message;
  EXPECT_EQ(test::ReadFile(dir / "report.xlsx"), "the user's earlier report");
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"report.xlsx"}));
}

TEST(SaveToFile, EveryUnusablePathIsReportedWithItsName) {
  const test::TempDir dir;
  const Workbook book = FilledBook();
  const fs::path missing = dir / "no such folder" / "report.xlsx";
  EXPECT_NE(SaveError(book, missing).find(missing.string()), std::string::npos);

  fs::create_directory(dir / "folder.xlsx");
  test::WriteFile(dir / "folder.xlsx" / "inside.txt", "kept");
  EXPECT_NE(SaveError(book, dir / "folder.xlsx").find("folder.xlsx"), std::string::npos);
  EXPECT_EQ(test::ReadFile(dir / "folder.xlsx" / "inside.txt"), "kept");

  test::WriteFile(dir / "plain", "a file");
  EXPECT_NE(SaveError(book, dir / "plain" / "report.xlsx"), "");
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"folder.xlsx", "plain"}));
}

TEST(SaveToFile, AReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  const test::TempDir dir;
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_NE(SaveError(FilledBook(), dir / "locked" / "report.xlsx"), "");
  fs::permissions(dir / "locked", fs::perms::owner_all);
  EXPECT_TRUE(FolderEntries(dir / "locked").empty());
}

}  // namespace
}  // namespace korvanta::workbook
