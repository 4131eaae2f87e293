#include "driver/path_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "driver/conversion.h"
#include "driver/conversion_time.h"
#include "driver/data_types.h"
#include "driver/report_registry.h"

namespace korvanta {
namespace {

using testing::HasSubstr;

TEST(ExtensionRule, TakesWhatFollowsTheLastDotLowerCased) {
  EXPECT_EQ(LowerCaseExtension("C:\\data\\SAMPLE.PRO"), "pro");
  EXPECT_EQ(LowerCaseExtension("/data/sample.Pht"), "pht");
  EXPECT_EQ(LowerCaseExtension("data.pro.bak"), "bak");
  EXPECT_EQ(LowerCaseExtension("trailing."), "");
  EXPECT_EQ(LowerCaseExtension("no_extension"), std::nullopt);
  EXPECT_EQ(LowerCaseExtension(""), std::nullopt);
}

TEST(ExtensionRule, ADotInAFolderNameMatchesNoType) {
  const auto extension = LowerCaseExtension("/runs/v2.1/sample");
  ASSERT_TRUE(extension);
  EXPECT_EQ(*extension, "1/sample");
  EXPECT_EQ(FindDataTypeByExtension(*extension), nullptr);
}

TEST(OutputNameRule, AppendsXlsxUnlessTheNameEndsInIt) {
  EXPECT_EQ(WithXlsxExtension("out"), "out.xlsx");
  EXPECT_EQ(WithXlsxExtension("out.XLSX"), "out.XLSX");
  EXPECT_EQ(WithXlsxExtension("out.Xlsx"), "out.Xlsx");
  EXPECT_EQ(WithXlsxExtension("out.xls"), "out.xls.xlsx");
  EXPECT_EQ(WithXlsxExtension("report.txt"), "report.txt.xlsx");
  EXPECT_EQ(WithXlsxExtension("/runs/v2.1/out"), "/runs/v2.1/out.xlsx");
  EXPECT_EQ(WithXlsxExtension("out.xlsx.bak"), "out.xlsx.bak.xlsx");
}

TEST(OutputNameRule, TheAsmDocumentTakesTheReportsNameWithJson) {
  EXPECT_EQ(AsmDocumentPath("out"), "out.json");
  EXPECT_EQ(AsmDocumentPath("dir/out.xlsx"), "dir/out.json");
  EXPECT_EQ(AsmDocumentPath("out.XLSX"), "out.json");
  EXPECT_EQ(AsmDocumentPath("out.xls"), "out.xls.json");
  EXPECT_EQ(AsmDocumentPath("/runs/v2.1/out"), "/runs/v2.1/out.json");
}

TEST(DataTypeTable, EachTypeIsFoundByItsButtonAndExactExtensionAndHasReportVariants) {
  for (const DataType& type : DataTypes()) {
    SCOPED_TRACE(type.button_text);
    EXPECT_EQ(FindDataTypeByButton(type.button_id), &type);
    EXPECT_EQ(FindDataTypeByExtension(type.extension), &type);
    EXPECT_THAT(std::string(type.filter), HasSubstr("(*." + std::string(type.extension) + ")"));
    const auto variants = ReportVariants();
    EXPECT_TRUE(std::any_of(variants.begin(), variants.end(), [&](const ReportVariant& variant) {
      return variant.data_type == type.button_text;
    }));
  }
  EXPECT_EQ(FindDataTypeByButton(1008), nullptr);
  EXPECT_EQ(FindDataTypeByExtension("PRO"), nullptr);  // callers lower-case first
  EXPECT_EQ(FindDataTypeByExtension("xlsx"), nullptr);
}

TEST(ConversionTime, FixedTimeIsFormattedInUtcWithTwoBlanks) {
  EXPECT_EQ(FormatConversionTime(1700000000), "2023.11.14  22:13:20");
  EXPECT_EQ(FormatConversionTime(0), "1970.01.01  00:00:00");
  EXPECT_TRUE(std::regex_match(FormatConversionTime(std::nullopt),
                               std::regex(R"(\d{4}\.\d{2}\.\d{2}  \d{2}:\d{2}:\d{2})")));
}

TEST(ConversionSettingsFromEnvironment, SourceDateEpochFixesTheTime) {
  ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
  const auto settings = SettingsFromEnvironment("/templates");
  EXPECT_EQ(settings.template_dir, "/templates");
  EXPECT_EQ(settings.fixed_time, 1700000000);
  for (const char* bad : {"", "17e8", "-5", "12abc"}) {
    ::setenv("SOURCE_DATE_EPOCH", bad, 1);
    EXPECT_EQ(SettingsFromEnvironment("/t").fixed_time, std::nullopt) << bad;
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(SettingsFromEnvironment("/t").fixed_time, std::nullopt);
}

TEST(ExecutableFolder, EndsInASeparatorAndHoldsThisProgram) {
  const std::string folder = GetExeDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "test_driver"));
}

}  // namespace
}  // namespace korvanta
