// Where templates come from: the user's folder over the installed one, file by file, and the
// copy that gives the user templates to edit.
#include "driver/template_folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "driver/template_files.h"
#include "support/files.h"
#include "support/paths.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Sets (or, with nullopt, removes) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserTemplateFolder, FollowsXdgDataHomeThenHome) {
  struct Case {
    std::optional<std::string> xdg_data_home, home;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {"/data", "/home/u", fs::path("/data/korvanta/template")},
      {std::nullopt, "/home/u", fs::path("/home/u/.local/share/korvanta/template")},
      {"", "/home/u", fs::path("/home/u/.local/share/korvanta/template")},
      // A relative XDG_DATA_HOME is not valid and is ignored.
      {"relative/data", "/home/u", fs::path("/home/u/.local/share/korvanta/template")},
      {std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const ScopedEnv xdg("XDG_DATA_HOME", c.xdg_data_home);
    const ScopedEnv home("HOME", c.home);
    EXPECT_EQ(UserTemplateDirectory(), c.expected) << c.xdg_data_home.value_or("(unset)");
  }
}

TEST(TemplateLookup, TheUsersFileWinsFileByFileAndOnlyWhenItIsAFile) {
  const test::TempDir dir;
  ConversionSettings settings;
  settings.template_dir = dir / "installed";
  settings.user_template_dir = dir / "own";
  test::WriteFile(dir / "own" / "photomet.xlsx", "mine");
  fs::create_directories(dir / "own" / "tm.xlsx");  // a folder is no template

  EXPECT_EQ(ResolveTemplate(settings, "photomet.xlsx"), dir / "own" / "photomet.xlsx");
  EXPECT_EQ(ResolveTemplate(settings, "brad.xlsx"), dir / "installed" / "brad.xlsx");
  EXPECT_EQ(ResolveTemplate(settings, "tm.xlsx"), dir / "installed" / "tm.xlsx");
  settings.user_template_dir.clear();
  EXPECT_EQ(ResolveTemplate(settings, "photomet.xlsx"), dir / "installed" / "photomet.xlsx");
}

TEST(TemplateLookup, AnExplicitFolderOverridesTheUsersFolderAndTheInstalledOne) {
  const ScopedEnv xdg("XDG_DATA_HOME", "/data");
  const ConversionSettings given = SettingsFromEnvironment(fs::path("/chosen"));
  EXPECT_EQ(given.template_dir, "/chosen");
  EXPECT_TRUE(given.user_template_dir.empty());

  const ConversionSettings found = SettingsFromEnvironment(std::nullopt);
  EXPECT_EQ(found.user_template_dir, "/data/korvanta/template");
  EXPECT_EQ(found.template_dir, InstalledTemplateDirectory());
}

TEST(InstalledTemplateFolder, WithoutTemplatesNearTheProgramIsTheBuiltInDataFolder) {
  // The test programs have neither template/ beside them nor ../share/korvanta/template.
  const fs::path folder = InstalledTemplateDirectory();
  EXPECT_EQ(folder.filename(), "template");
  EXPECT_EQ(folder.parent_path().filename(), "korvanta");
  EXPECT_TRUE(folder.is_absolute());
}

TEST(TemplateCopy, CopiesTheTwelveIntoANewFolderAndNeverReplacesAFile) {
  const test::TempDir dir;
  const fs::path own = dir / "data" / "korvanta" / "template";
  test::WriteFile(own / "photomet.xlsx", "edited by the user");

  const auto copied = CopyTemplates(test::TemplateDir(), own);
  EXPECT_EQ(copied.size(), TemplateFiles().size() - 1);
  EXPECT_EQ(std::count(copied.begin(), copied.end(), "photomet.xlsx"), 0);
  EXPECT_EQ(test::ReadFile(own / "photomet.xlsx"), "edited by the user");
  for (const TemplateFile& file : TemplateFiles()) {
    if (file.name == "photomet.xlsx") continue;
    EXPECT_EQ(test::ReadFile(own / file.name), test::ReadFile(test::TemplateDir() / file.name))
        << file.name;
  }
  EXPECT_THAT(CopyTemplates(test::TemplateDir(), own), IsEmpty());
}

TEST(TemplateCopy, TheCopyOfAReadOnlyTemplateIsWritableByTheUser) {
  const test::TempDir dir;
  test::WriteFile(dir / "installed" / "tm.xlsx", "template");
  fs::permissions(dir / "installed" / "tm.xlsx", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(CopyTemplates(dir / "installed", dir / "own"), std::vector<std::string>{"tm.xlsx"});
  EXPECT_NE(fs::status(dir / "own" / "tm.xlsx").permissions() & fs::perms::owner_write,
            fs::perms::none);
}

TEST(TemplateCopy, AFolderThatCannotBeMadeIsReportedByItsPath) {
  const test::TempDir dir;
  test::WriteFile(dir / "blocked", "a file where the folder should be");
  try {
    CopyTemplates(test::TemplateDir(), dir / "blocked" / "template");
    FAIL() << "no error";
  } catch (const TemplateFolderError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Can not create the template folder " +
                                        (dir / "blocked" / "template").string()));
  }
}

}  // namespace
}  // namespace korvanta
