// What the fuzz targets found, each kept as the smallest case that shows it. The raw inputs
// stay in fuzz/regressions/, where scripts/run-fuzz replays them.
#include <gtest/gtest.h>

#include <string>

#include "robustness/package_edit.h"
#include "support/files.h"
#include "support/paths.h"
#include "workbook/workbook.h"

namespace korvanta::test {
namespace {

using workbook::Workbook;

constexpr std::string_view kSheetPart = "xl/worksheets/sheet1.xml";
constexpr std::string_view kRelationshipsNs =
    "\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

std::string Template(std::string_view name) { return ReadFile(TemplateDir() / name); }

// The sheet binds the relationships namespace to "2", which the parser takes but no reader
// accepts in an attribute name: the chart's <drawing> must not be written as <drawing 2:id>.
TEST(TemplateFindings, ARelationshipsPrefixNoReaderAcceptsIsNotReused) {
  const std::string kinetics = Template("kinetics.xlsx");
  const std::string sheet =
      Replaced(PackagePart(kinetics, kSheetPart), "xmlns:r=" + std::string(kRelationshipsNs),
               "xmlns:2=" + std::string(kRelationshipsNs));
  Workbook book = Workbook::LoadFromMemory(WithPart(kinetics, kSheetPart, sheet));
  workbook::ChartRequest chart;
  chart.first_row = 14;
  chart.last_row = 20;
  book.AddChart(chart);
  const std::string saved = book.SaveToMemory();

  EXPECT_NO_THROW(Workbook::LoadFromMemory(saved));
  const std::string saved_sheet = PackagePart(saved, kSheetPart);
  EXPECT_EQ(saved_sheet.find("2:id"), std::string::npos);
  EXPECT_NE(saved_sheet.find("<drawing xmlns:r=" + std::string(kRelationshipsNs) + " r:id=\""),
            std::string::npos)
      << saved_sheet;
}

}  // namespace
}  // namespace korvanta::test
