#include "reports/report_variants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "driver/data_types.h"
#include "support/paths.h"

namespace korvanta {
namespace {

TEST(ReportVariants, NamesAreDistinctAndEveryHandOverTemplateIsBuilt) {
  std::set<std::string_view> names;
  for (const ReportVariant& variant : ReportVariants()) {
    EXPECT_TRUE(names.insert(variant.name).second) << variant.name;
    if (variant.handover_template.empty()) continue;
    EXPECT_TRUE(std::filesystem::is_regular_file(test::TemplateDir() /
                                                 std::string(variant.handover_template)))
        << variant.handover_template;
    for (const DataType& type : DataTypes()) {
      EXPECT_NE(variant.handover_template, type.default_template)
          << variant.name << " hands over to a template of its own";
    }
  }
}

}  // namespace
}  // namespace korvanta
