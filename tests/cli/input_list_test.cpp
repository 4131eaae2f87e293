#include "cli/input_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files.h"
#include "support/paths.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Paths(const std::vector<Input>& inputs) {
  std::vector<std::string> paths;
  for (const Input& input : inputs) paths.push_back(input.path + (input.error.empty() ? "" : "!"));
  return paths;
}

class ExpandInputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFile(dir_ / "b.pht", "x");
    test::WriteFile(dir_ / "a.PRO", "x");
    test::WriteFile(dir_ / "notes.txt", "x");
    test::WriteFile(dir_ / "data.pro.bak", "x");
    test::WriteFile(dir_ / "sub" / "c.tsc", "x");
    test::WriteFile(dir_ / "sub" / "deeper" / "d.wsc", "x");
    fs::create_directories(dir_ / "run.nuc");
    test::WriteFile(dir_ / "run.nuc" / "e.od", "x");
  }
  std::string At(const std::string& name) const { return (dir_ / name).string(); }

  test::TempDir dir_;
};

TEST_F(ExpandInputsTest, AFolderGivesItsExportFilesSortedAndKeepsUnreadableOnes) {
  // A folder named like an export file is kept, to be reported; other names are passed over.
  EXPECT_EQ(Paths(ExpandInputs({dir_.path().string()}, false)),
            (std::vector<std::string>{At("a.PRO"), At("b.pht"), At("run.nuc")}));
}

TEST_F(ExpandInputsTest, RecursiveSearchesSubfoldersInsteadOfKeepingThem) {
  EXPECT_EQ(Paths(ExpandInputs({dir_.path().string()}, true)),
            (std::vector<std::string>{At("a.PRO"), At("b.pht"), At("run.nuc/e.od"), At("sub/c.tsc"),
                                      At("sub/deeper/d.wsc")}));
}

TEST_F(ExpandInputsTest, FilesAreTakenAsGivenInTheirOrder) {
  EXPECT_EQ(Paths(ExpandInputs({At("notes.txt"), At("missing.pro"), At("b.pht")}, false)),
            (std::vector<std::string>{At("notes.txt"), At("missing.pro"), At("b.pht")}));
}

TEST_F(ExpandInputsTest, ADanglingLinkIsKept) {
  fs::create_symlink(dir_ / "gone.tm", dir_ / "sub" / "link.tm");
  const auto inputs = ExpandInputs({At("sub")}, false);
  EXPECT_EQ(Paths(inputs), (std::vector<std::string>{At("sub/c.tsc"), At("sub/link.tm")}));
}

TEST_F(ExpandInputsTest, AFolderWithoutExportFilesIsAnError) {
  fs::create_directories(dir_ / "empty");
  test::WriteFile(dir_ / "empty" / "readme.txt", "x");
  const auto inputs = ExpandInputs({At("empty"), At("b.pht")}, true);
  ASSERT_EQ(inputs.size(), 2U);
  EXPECT_EQ(inputs[0].error, "no export files in this folder");
  EXPECT_TRUE(inputs[1].error.empty());
}

}  // namespace
}  // namespace korvanta::cli
