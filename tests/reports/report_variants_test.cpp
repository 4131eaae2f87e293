#include "reports/report_variants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/paths.h"

namespace korvanta {
namespace {

TEST(ReportVariants, NamesAreDistinctAndEveryTemplateIsBuilt) {
  std::set<std::string_view> names;
  for (const ReportVariant& variant : ReportVariants()) {
    EXPECT_TRUE(names.insert(variant.name).second) << variant.name;
    EXPECT_TRUE(
        std::filesystem::is_regular_file(test::TemplateDir() / std::string(variant.template_file)))
        << variant.template_file;
  }
}

}  // namespace
}  // namespace korvanta
