// The template listing against what the generator builds, the report variants and the data
// types: each template once, none missing, none unknown.
#include "driver/template_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "driver/report_registry.h"
#include "support/paths.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const TemplateFile* Listed(std::string_view name) {
  const auto files = TemplateFiles();
  const auto found = std::find_if(files.begin(), files.end(),
                                  [&](const TemplateFile& file) { return file.name == name; });
  return found == files.end() ? nullptr : &*found;
}

TEST(TemplateFiles, EveryBuiltTemplateIsListedExactlyOnceAndNothingElseIs) {
  std::map<std::string, int> listed;
  for (const TemplateFile& file : TemplateFiles()) ++listed[std::string(file.name)];
  for (const auto& entry : fs::directory_iterator(test::TemplateDir())) {
    if (entry.path().extension() != ".xlsx") continue;
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(listed[name], 1) << name;
    listed.erase(name);
  }
  EXPECT_TRUE(listed.empty()) << listed.begin()->first << " is listed but not built";
}

TEST(TemplateFiles, EveryVariantsTemplateIsListedWithItsReports) {
  for (const ReportVariant& variant : ReportVariants()) {
    const TemplateFile* file = Listed(variant.template_file);
    ASSERT_NE(file, nullptr) << variant.template_file;
    EXPECT_THAT(file->reports, HasSubstr(variant.name)) << file->name;
  }
}

}  // namespace
}  // namespace korvanta
