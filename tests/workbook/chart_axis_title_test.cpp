// Axis titles of a template's chart rewritten: the rich text of the chosen axis replaced, the
// rest of the chart part left as it was.
#include "workbook/chart_axis_title.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <pugixml.hpp>
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "workbook/package.h"
#include "workbook/workbook.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// A scatter chart's plot area with an x axis titled "OD" and a y axis whose title is `title`.
std::string ChartXml(const std::string& title, const char* y_position = "l") {
  return std::string(
             R"(<c:chartSpace xmlns:c="http://schemas.openxmlformats.org/drawingml/2006/chart" )"
             R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main">)"
             R"(<c:chart><c:plotArea><c:layout/>)"
             R"(<c:valAx><c:axId val="1"/><c:axPos val="b"/><c:title><c:tx><c:rich>)"
             R"(<a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>OD</a:t></a:r></a:p>)"
             R"(</c:rich></c:tx></c:title><c:crossAx val="2"/></c:valAx>)"
             R"(<c:valAx><c:axId val="2"/><c:axPos val=")") +
         y_position + R"("/>)" + title +
         R"(<c:crossAx val="1"/></c:valAx></c:plotArea></c:chart></c:chartSpace>)";
}

std::string RichTitle(const std::string& paragraphs) {
  return R"(<c:title><c:tx><c:rich><a:bodyPr rot="-5400000" vert="horz"/><a:lstStyle/>)" +
         paragraphs + R"(</c:rich></c:tx><c:layout/></c:title>)";
}

std::string Rewritten(const std::string& xml, ChartAxisDirection direction, bool expect_found,
                      std::string_view reads = "Concentration") {
  pugi::xml_document doc;
  ParseXml(doc, xml, "test", "xl/charts/chart1.xml");
  EXPECT_EQ(SetAxisTitleText(doc.document_element(), direction, reads, "Concentration (ug/ml)"),
            expect_found);
  return SerializeXml(doc.document_element());
}

struct TitleCase {
  const char* what;
  std::string title;  // the y axis's title as the template has it
  std::string reads;  // its text as a reader shows it
  std::string expected;
};

TEST(SetAxisTitleText, LeavesOneRunWithTheNewTextAndKeepsItsFormatting) {
  const std::string pr = R"(<a:pPr><a:defRPr sz="1000" b="1"/></a:pPr>)";
  const std::string run_pr = R"(<a:rPr lang="en-US" b="1"/>)";
  const std::string end = R"(<a:endParaRPr lang="en-US"/>)";
  const std::string result = "<a:t>Concentration (ug/ml)</a:t>";
  const TitleCase cases[] = {
      {"one run, as libxlsxwriter writes it",
       RichTitle("<a:p>" + pr + "<a:r>" + run_pr + "<a:t>Concentration</a:t></a:r></a:p>"),
       "Concentration", RichTitle("<a:p>" + pr + "<a:r>" + run_pr + result + "</a:r></a:p>")},
      {"runs, a line break and a field, in two paragraphs",
       RichTitle("<a:p>" + pr + "<a:r>" + run_pr + "<a:t>Conc</a:t></a:r><a:br/>" +
                 R"(<a:fld id="{1}" type="x"><a:t>f</a:t></a:fld><a:r><a:t>entration</a:t></a:r>)" +
                 end + "</a:p><a:p><a:r><a:t>second</a:t></a:r></a:p>"),
       "Concfentration\nsecond",
       RichTitle("<a:p>" + pr + "<a:r>" + run_pr + result + "</a:r>" + end + "</a:p>")},
      {"a paragraph without runs", RichTitle("<a:p>" + pr + end + "</a:p>"), "",
       RichTitle("<a:p>" + pr + "<a:r>" + result + "</a:r>" + end + "</a:p>")},
  };
  for (const TitleCase& c : cases) {
    EXPECT_EQ(Rewritten(ChartXml(c.title), ChartAxisDirection::kVertical, true, c.reads),
              ChartXml(c.expected))
        << c.what;
  }
}

TEST(SetAxisTitleText, KeepsATitleThatReadsOtherwise) {
  for (const char* text : {"Absorbance", "Concentration (mg/l)", "concentration"}) {
    const std::string title =
        RichTitle(std::string("<a:p><a:r><a:t>") + text + "</a:t></a:r></a:p>");
    EXPECT_EQ(Rewritten(ChartXml(title), ChartAxisDirection::kVertical, false), ChartXml(title))
        << text;
  }
}

TEST(SetAxisTitleText, ChangesOnlyTheAxesDrawnInTheChosenDirection) {
  const std::string title = RichTitle("<a:p><a:r><a:t>Concentration</a:t></a:r></a:p>");
  const std::string set = RichTitle("<a:p><a:r><a:t>Concentration (ug/ml)</a:t></a:r></a:p>");
  // A y axis on the right is vertical too.
  EXPECT_EQ(Rewritten(ChartXml(title, "r"), ChartAxisDirection::kVertical, true),
            ChartXml(set, "r"));
  // The horizontal axis is the x axis ("OD"); the y axis keeps its title.
  std::string x_set = ChartXml(title);
  x_set.replace(x_set.find("<a:t>OD</a:t>"), 13, "<a:t>Concentration (ug/ml)</a:t>");
  EXPECT_EQ(Rewritten(ChartXml(title), ChartAxisDirection::kHorizontal, true, "OD"), x_set);
}

TEST(SetAxisTitleText, LeavesTitlesLinkedToCellsAndAxesWithoutTitles) {
  const std::string linked =
      R"(<c:title><c:tx><c:strRef><c:f>Sheet1!$B$8</c:f></c:strRef></c:tx></c:title>)";
  for (const std::string& title : {linked, std::string()}) {
    EXPECT_EQ(Rewritten(ChartXml(title), ChartAxisDirection::kVertical, false), ChartXml(title));
  }
}

// A template drawn by libxlsxwriter: data, a scatter chart with both axis titles.
std::string ChartTemplate(const test::TempDir& dir) {
  const auto path = dir / "template.xlsx";
  lxw_workbook* book = workbook_new(path.string().c_str());
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
  worksheet_write_number(sheet, 13, 1, 10, nullptr);
  worksheet_write_number(sheet, 13, 2, 0.5, nullptr);
  lxw_chart* chart = workbook_add_chart(book, LXW_CHART_SCATTER);
  chart_add_series(chart, "=Sheet1!$C$14:$C$14", "=Sheet1!$B$14:$B$14");
  chart_axis_set_name(chart->x_axis, "OD");
  chart_axis_set_name(chart->y_axis, "Concentration");
  worksheet_insert_chart(sheet, 12, 5, chart);
  EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
  return test::ReadFile(path);
}

TEST(WorkbookSetChartAxisTitle, RewritesTheSheetsChartAndNothingElseInIt) {
  const test::TempDir dir;
  const std::string template_bytes = ChartTemplate(dir);
  Workbook book = Workbook::LoadFromMemory(template_bytes);
  book.SetChartAxisTitle(ChartAxisDirection::kVertical, "Concentration", "Concentration (ug/ml)");
  const Package report = Package::FromZip(book.SaveToMemory(), "report");
  const Package before = Package::FromZip(template_bytes, "template");

  // From the root element on: the declaration's line break is the serialiser's to choose.
  const auto root = [](std::string part) { return part.substr(part.find("<c:chartSpace")); };
  std::string expected = root(before.Read("xl/charts/chart1.xml"));
  const std::string old_text = "<a:t>Concentration</a:t>";
  expected.replace(expected.find(old_text), old_text.size(), "<a:t>Concentration (ug/ml)</a:t>");
  EXPECT_EQ(root(report.Read("xl/charts/chart1.xml")), expected);
}

}  // namespace
}  // namespace korvanta::workbook
