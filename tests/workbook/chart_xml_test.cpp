#include "workbook/chart_xml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace korvanta::workbook {
namespace {

pugi::xml_document Parse(const std::string& xml) {
  pugi::xml_document doc;
  const pugi::xml_parse_result result = doc.load_string(xml.c_str());
  EXPECT_TRUE(result) << result.description();
  return doc;
}

ScatterChart SampleChart() {
  ScatterChart chart;
  chart.x_reference = "Sheet1!$A$14:$A$17";
  chart.y_reference = "Sheet1!$B$14:$B$17";
  chart.x_cache = {200.0, 200.5, std::nullopt, 201.5};
  chart.y_cache = {0.1, 0.25, 0.5, std::nullopt};
  chart.x_title = "WL(nm)";
  chart.y_title = "%T";
  chart.x_min = 200.0;
  chart.x_max = 201.5;
  return chart;
}

std::vector<std::string> ChildNames(pugi::xml_node node) {
  std::vector<std::string> names;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element) names.emplace_back(child.name());
  }
  return names;
}

// True when `names` keep the order of the schema's sequence `order` (every name known).
::testing::AssertionResult FollowsSequence(const std::vector<std::string>& names,
                                           const std::vector<std::string>& order) {
  std::size_t position = 0;
  for (const std::string& name : names) {
    const auto found = std::find(order.begin(), order.end(), name);
    if (found == order.end()) return ::testing::AssertionFailure() << name << " is not allowed";
    const auto index = static_cast<std::size_t>(found - order.begin());
    if (index < position) return ::testing::AssertionFailure() << name << " is out of order";
    position = index;
  }
  return ::testing::AssertionSuccess();
}

TEST(ChartReferences, QuoteSheetNamesOnlyWhereFormulasNeedIt) {
  EXPECT_EQ(FormulaSheetName("Sheet1"), "Sheet1");
  EXPECT_EQ(FormulaSheetName("Data_2.old"), "Data_2.old");
  EXPECT_EQ(FormulaSheetName("Sheet 1"), "'Sheet 1'");
  EXPECT_EQ(FormulaSheetName("O'Brien"), "'O''Brien'");
  EXPECT_EQ(FormulaSheetName("2024"), "'2024'");
  EXPECT_EQ(FormulaSheetName("A1"), "'A1'");      // would read as a cell
  EXPECT_EQ(FormulaSheetName("xfd9"), "'xfd9'");  // last column, any case
  EXPECT_EQ(FormulaSheetName("R1C1"), "'R1C1'");  // R1C1 notation
  EXPECT_EQ(FormulaSheetName("rc"), "'rc'");
  EXPECT_EQ(FormulaSheetName("Scan-1"), "'Scan-1'");
  EXPECT_EQ(FormulaSheetName("Messung\xC3\xBC"), "'Messung\xC3\xBC'");
  EXPECT_EQ(FormulaSheetName("TRUE"), "'TRUE'");
}

TEST(ChartReferences, NameAbsoluteColumnRanges) {
  EXPECT_EQ(ColumnRangeReference("Sheet1", 1, 14, 113), "Sheet1!$A$14:$A$113");
  EXPECT_EQ(ColumnRangeReference("Sheet 1", 2, 14, 14), "'Sheet 1'!$B$14:$B$14");
  EXPECT_EQ(ColumnRangeReference("Sheet1", 28, 17, 716), "Sheet1!$AB$17:$AB$716");
}

TEST(ChartSpaceXml, ElementsFollowTheSchemaSequences) {
  const pugi::xml_document doc = Parse(ChartSpaceXml(SampleChart()));
  const pugi::xml_node space = doc.child("c:chartSpace");
  ASSERT_TRUE(space);
  EXPECT_STREQ(space.attribute("xmlns:c").value(),
               "http://schemas.openxmlformats.org/drawingml/2006/chart");
  EXPECT_TRUE(
      FollowsSequence(ChildNames(space),
                      {"c:date1904", "c:lang", "c:roundedCorners", "mc:AlternateContent", "c:style",
                       "c:clrMapOvr", "c:pivotSource", "c:protection", "c:chart", "c:spPr",
                       "c:txPr", "c:externalData", "c:printSettings", "c:userShapes", "c:extLst"}));
  const pugi::xml_node chart = space.child("c:chart");
  EXPECT_TRUE(FollowsSequence(
      ChildNames(chart), {"c:title", "c:autoTitleDeleted", "c:pivotFmts", "c:view3D", "c:floor",
                          "c:sideWall", "c:backWall", "c:plotArea", "c:legend", "c:plotVisOnly",
                          "c:dispBlanksAs", "c:showDLblsOverMax", "c:extLst"}));
  const pugi::xml_node plot_area = chart.child("c:plotArea");
  EXPECT_EQ(ChildNames(plot_area),
            (std::vector<std::string>{"c:layout", "c:scatterChart", "c:valAx", "c:valAx"}));
  const pugi::xml_node scatter = plot_area.child("c:scatterChart");
  EXPECT_TRUE(FollowsSequence(ChildNames(scatter), {"c:scatterStyle", "c:varyColors", "c:ser",
                                                    "c:dLbls", "c:axId", "c:extLst"}));
  EXPECT_TRUE(
      FollowsSequence(ChildNames(scatter.child("c:ser")),
                      {"c:idx", "c:order", "c:tx", "c:spPr", "c:marker", "c:dPt", "c:dLbls",
                       "c:trendline", "c:errBars", "c:xVal", "c:yVal", "c:smooth", "c:extLst"}));
  for (pugi::xml_node axis : plot_area.children("c:valAx")) {
    EXPECT_TRUE(FollowsSequence(
        ChildNames(axis),
        {"c:axId",           "c:scaling",      "c:delete",    "c:axPos",         "c:majorGridlines",
         "c:minorGridlines", "c:title",        "c:numFmt",    "c:majorTickMark", "c:minorTickMark",
         "c:tickLblPos",     "c:spPr",         "c:txPr",      "c:crossAx",       "c:crosses",
         "c:crossesAt",      "c:crossBetween", "c:majorUnit", "c:minorUnit",     "c:dispUnits",
         "c:extLst"}));
    EXPECT_TRUE(FollowsSequence(ChildNames(axis.child("c:scaling")),
                                {"c:logBase", "c:orientation", "c:max", "c:min", "c:extLst"}));
    EXPECT_TRUE(FollowsSequence(ChildNames(axis.child("c:title")),
                                {"c:tx", "c:layout", "c:overlay", "c:spPr", "c:txPr"}));
  }
}

TEST(ChartSpaceXml, DrawsOneSeriesAsStraightLinesWithoutDecoration) {
  const pugi::xml_document doc = Parse(ChartSpaceXml(SampleChart()));
  const pugi::xml_node chart = doc.child("c:chartSpace").child("c:chart");
  EXPECT_FALSE(chart.child("c:title"));
  EXPECT_STREQ(chart.child("c:autoTitleDeleted").attribute("val").value(), "1");
  EXPECT_FALSE(chart.child("c:legend"));
  EXPECT_FALSE(doc.select_node("//c:majorGridlines"));
  EXPECT_FALSE(doc.select_node("//c:minorGridlines"));
  EXPECT_FALSE(doc.select_node("//c:lineChart"));
  EXPECT_STREQ(doc.child("c:chartSpace").child("c:roundedCorners").attribute("val").value(), "0");

  const pugi::xml_node scatter = chart.child("c:plotArea").child("c:scatterChart");
  EXPECT_STREQ(scatter.child("c:scatterStyle").attribute("val").value(), "lineMarker");
  EXPECT_EQ(doc.select_nodes("//c:ser").size(), 1u);
  const pugi::xml_node ser = scatter.child("c:ser");
  EXPECT_STREQ(ser.child("c:marker").child("c:symbol").attribute("val").value(), "none");
  EXPECT_STREQ(ser.child("c:smooth").attribute("val").value(), "0");
  EXPECT_TRUE(ser.child("c:spPr").child("a:ln"));
}

TEST(ChartSpaceXml, AxesCrossEachOtherWithTheGivenTitles) {
  const pugi::xml_document doc = Parse(ChartSpaceXml(SampleChart()));
  const pugi::xml_node plot_area = doc.select_node("//c:plotArea").node();
  const pugi::xml_node scatter = plot_area.child("c:scatterChart");
  std::vector<std::string> chart_axis_ids;
  for (pugi::xml_node id : scatter.children("c:axId")) {
    chart_axis_ids.emplace_back(id.attribute("val").value());
  }
  ASSERT_EQ(chart_axis_ids.size(), 2u);
  EXPECT_NE(chart_axis_ids[0], chart_axis_ids[1]);

  pugi::xml_node bottom;
  pugi::xml_node left;
  for (pugi::xml_node axis : plot_area.children("c:valAx")) {
    const std::string position = axis.child("c:axPos").attribute("val").value();
    (position == "b" ? bottom : left) = axis;
  }
  ASSERT_TRUE(bottom);
  ASSERT_TRUE(left);
  EXPECT_EQ(bottom.child("c:axId").attribute("val").value(), chart_axis_ids[0]);
  EXPECT_EQ(left.child("c:axId").attribute("val").value(), chart_axis_ids[1]);
  EXPECT_EQ(bottom.child("c:crossAx").attribute("val").value(), chart_axis_ids[1]);
  EXPECT_EQ(left.child("c:crossAx").attribute("val").value(), chart_axis_ids[0]);
  EXPECT_STREQ(bottom.child("c:delete").attribute("val").value(), "0");
  EXPECT_STREQ(left.child("c:delete").attribute("val").value(), "0");

  EXPECT_STREQ(bottom.select_node(".//a:t").node().text().get(), "WL(nm)");
  EXPECT_STREQ(left.select_node(".//a:t").node().text().get(), "%T");
  const pugi::xml_node y_body = left.select_node("c:title/c:tx/c:rich/a:bodyPr").node();
  EXPECT_STREQ(y_body.attribute("rot").value(), "0");
  EXPECT_STREQ(y_body.attribute("vert").value(), "horz");

  const pugi::xml_node scaling = bottom.child("c:scaling");
  EXPECT_STREQ(scaling.child("c:min").attribute("val").value(), "200");
  EXPECT_STREQ(scaling.child("c:max").attribute("val").value(), "201.5");
  EXPECT_FALSE(left.child("c:scaling").child("c:min"));
  EXPECT_FALSE(left.child("c:scaling").child("c:max"));
}

TEST(ChartSpaceXml, TitlesAreTakenUnchangedAndEscaped) {
  ScatterChart chart = SampleChart();
  chart.x_title =
      "Temp(\xC2\xB0"
      "C)";
  chart.y_title = "<E(S) & \"OD\">";
  const pugi::xml_document doc = Parse(ChartSpaceXml(chart));
  const pugi::xpath_node_set texts = doc.select_nodes("//c:valAx/c:title//a:t");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_STREQ(texts[0].node().text().get(),
               "Temp(\xC2\xB0"
               "C)");
  EXPECT_STREQ(texts[1].node().text().get(), "<E(S) & \"OD\">");
}

TEST(ChartSpaceXml, EmptyTitleAndMissingBoundsLeaveTheElementsOut) {
  ScatterChart chart = SampleChart();
  chart.y_title.clear();
  chart.x_min.reset();
  chart.x_max.reset();
  const pugi::xml_document doc = Parse(ChartSpaceXml(chart));
  EXPECT_EQ(doc.select_nodes("//c:valAx/c:title").size(), 1u);
  EXPECT_FALSE(doc.select_node("//c:scaling/c:min"));
  EXPECT_FALSE(doc.select_node("//c:scaling/c:max"));
}

TEST(ChartSpaceXml, SeriesCarryReferencesAndNumberCaches) {
  const pugi::xml_document doc = Parse(ChartSpaceXml(SampleChart()));
  const pugi::xml_node ser = doc.select_node("//c:ser").node();
  const pugi::xml_node x_ref = ser.child("c:xVal").child("c:numRef");
  const pugi::xml_node y_ref = ser.child("c:yVal").child("c:numRef");
  EXPECT_STREQ(x_ref.child("c:f").text().get(), "Sheet1!$A$14:$A$17");
  EXPECT_STREQ(y_ref.child("c:f").text().get(), "Sheet1!$B$14:$B$17");

  const pugi::xml_node x_cache = x_ref.child("c:numCache");
  EXPECT_STREQ(x_cache.child("c:ptCount").attribute("val").value(), "4");
  std::vector<std::string> x_points;
  for (pugi::xml_node pt : x_cache.children("c:pt")) {
    x_points.push_back(std::string(pt.attribute("idx").value()) + "=" +
                       pt.child("c:v").text().get());
  }
  EXPECT_EQ(x_points, (std::vector<std::string>{"0=200", "1=200.5", "3=201.5"}));

  std::vector<std::string> y_points;
  for (pugi::xml_node pt : y_ref.child("c:numCache").children("c:pt")) {
    y_points.push_back(std::string(pt.attribute("idx").value()) + "=" +
                       pt.child("c:v").text().get());
  }
  EXPECT_EQ(y_points, (std::vector<std::string>{"0=0.1", "1=0.25", "2=0.5"}));
}

TEST(ChartSpaceXml, ChartWithoutPointsIsStillComplete) {
  ScatterChart chart;
  chart.x_reference = "Sheet1!$A$14:$A$14";
  chart.y_reference = "Sheet1!$B$14:$B$14";
  chart.x_cache = {std::nullopt};
  chart.y_cache = {std::nullopt};
  chart.x_title = "Time(s)";
  const pugi::xml_document doc = Parse(ChartSpaceXml(chart));
  EXPECT_FALSE(doc.select_node("//c:pt"));
  EXPECT_TRUE(doc.select_node("//c:xVal/c:numRef/c:f"));
  EXPECT_EQ(doc.select_nodes("//c:valAx").size(), 2u);
}

}  // namespace
}  // namespace korvanta::workbook
