// Export files cut short at every field of every format: each still gives a finished report
// that opens, and one warning that names the first missing field and its line.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "robustness/conversion_outcome.h"
#include "robustness/export_layouts.h"
#include "support/files.h"
#include "support/paths.h"
#include "workbook/workbook.h"

namespace korvanta::test {
namespace {

std::string EndsEarlyWarning(const std::string& file_name, std::string_view field, int line) {
  return file_name + " ends early: " + std::string(field) + " (line " + std::to_string(line) +
         ") and everything after it are missing; their cells are left empty.";
}

// The report was written, replaced the earlier one and is a workbook the engine reads.
void ExpectFinishedReport(const Outcome& outcome, const std::string& context) {
  EXPECT_EQ(outcome.status, ConversionStatus::kCompleted) << context;
  EXPECT_TRUE(outcome.messages.empty()) << context << ": " << outcome.messages.front();
  EXPECT_TRUE(outcome.stray_files.empty()) << context;
  ASSERT_FALSE(outcome.report == kEarlierReport) << context;
  EXPECT_NO_THROW(workbook::Workbook::LoadFromMemory(outcome.report)) << context;
}

std::string LayoutTestName(const testing::TestParamInfo<ExportLayout>& param_info) {
  std::string name;
  for (const char c : param_info.param.variant) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return name;
}

// An OD600 file names its report in the unit field; one that ends before it is refused, and
// the earlier report stays as it was.
bool RefusedWhenCut(const ExportLayout& layout, std::size_t kept) {
  return layout.extension == "od" && kept < static_cast<std::size_t>(layout.LineOf("unit"));
}

void ExpectRefusedForMissingUnit(const Outcome& outcome, int line, const std::string& context) {
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed) << context;
  const std::string message = "Unknown OD600 unit \"\" on line ";
  ASSERT_EQ(outcome.messages.size(), 1U) << context;
  if (line > 0) {
    EXPECT_EQ(outcome.messages[0],
              message + std::to_string(line) + ": expected 0 (optical density) or 1 (cell count).")
        << context;
  } else {
    EXPECT_EQ(outcome.messages[0].substr(0, message.size()), message) << context;
  }
  EXPECT_TRUE(outcome.report == kEarlierReport) << context;
  EXPECT_TRUE(outcome.stray_files.empty()) << context;
}

class TruncatedExport : public testing::TestWithParam<ExportLayout> {};

TEST_P(TruncatedExport, EveryCutAfterAWholeLineNamesTheNextField) {
  const ExportLayout& layout = GetParam();
  const std::string file_name = "cut." + std::string(layout.extension);
  // Cut before its first line, a file is empty and no export file at all (see the catalogue).
  for (std::size_t kept = 1; kept <= layout.fields.size(); ++kept) {
    TempDir folder;
    WriteFile(folder / file_name, layout.Text(kept));
    const Outcome outcome = ConvertWithHost(folder.path(), folder / file_name, TemplateDir());
    const std::string context =
        std::string(layout.variant) + " cut after " + std::to_string(kept) + " lines";
    if (RefusedWhenCut(layout, kept)) {
      ExpectRefusedForMissingUnit(outcome, static_cast<int>(kept) + 1, context);
    } else {
      ExpectFinishedReport(outcome, context);
    }
    if (kept == layout.fields.size()) {
      EXPECT_TRUE(outcome.warnings.empty()) << context << ": " << outcome.warnings.front();
    } else {
      EXPECT_EQ(outcome.warnings, std::vector{EndsEarlyWarning(file_name, layout.fields[kept].name,
                                                               static_cast<int>(kept) + 1)})
          << context;
    }
  }
}

// The last line kept has no line end: its field is still read whole, and the missing field
// is the one on the line after it.
TEST_P(TruncatedExport, ACutLastLineWithoutItsLineEndStillCounts) {
  const ExportLayout& layout = GetParam();
  const std::string file_name = "open." + std::string(layout.extension);
  for (std::size_t kept = 1; kept < layout.fields.size(); ++kept) {
    TempDir folder;
    WriteFile(folder / file_name, layout.Text(kept, "\n", false));
    const Outcome outcome = ConvertWithHost(folder.path(), folder / file_name, TemplateDir());
    const std::string context = std::string(layout.variant) + " cut after " + std::to_string(kept) +
                                " lines, no last line end";
    if (RefusedWhenCut(layout, kept)) {
      // The line the message names is where reading stopped, not always the unit's own.
      ExpectRefusedForMissingUnit(outcome, 0, context);
    } else {
      ExpectFinishedReport(outcome, context);
    }
    EXPECT_EQ(outcome.warnings, std::vector{EndsEarlyWarning(file_name, layout.fields[kept].name,
                                                             static_cast<int>(kept) + 1)})
        << context;
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, TruncatedExport, testing::ValuesIn(ExportLayouts()),
                         LayoutTestName);

}  // namespace
}  // namespace korvanta::test
