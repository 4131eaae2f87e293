// Workbook::AddChart in a saved package: parts, relationships, content types and the sheet's
// <drawing>, also beside a picture or a chart the template already has.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "office_checks.h"
#include "support/files.h"
#include "support/paths.h"
#include "workbook/opc.h"
#include "workbook/package.h"
#include "workbook/sheet_schema.h"
#include "workbook/workbook.h"
#include "workbook/xml_util.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

// A 1 x 1 pixel PNG: enough for libxlsxwriter to place a picture.
constexpr std::array<unsigned char, 67> kTinyPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

struct TemplateOptions {
  std::string sheet_name = "Sheet1";
  bool picture = false;
  bool chart = false;
};

// A template as a user might make one: a header, a table heading in row 13, page setup.
std::string MakeTemplate(const test::TempDir& dir, const TemplateOptions& options) {
  const auto path = dir / "template.xlsx";
  const auto png = dir / "logo.png";
  test::WriteFile(png, std::string(kTinyPng.begin(), kTinyPng.end()));
  lxw_workbook* book = workbook_new(path.string().c_str());
  lxw_worksheet* sheet = workbook_add_worksheet(book, options.sheet_name.c_str());
  worksheet_write_string(sheet, 0, 0, "File name", nullptr);
  worksheet_write_string(sheet, 12, 0, "WL (nm)", nullptr);
  worksheet_write_string(sheet, 12, 1, "Reading", nullptr);
  worksheet_set_landscape(sheet);
  if (options.picture) worksheet_insert_image(sheet, 0, 8, png.string().c_str());
  if (options.chart) {
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_COLUMN);
    chart_add_series(chart, nullptr, "=Sheet1!$B$14:$B$15");
    worksheet_insert_chart(sheet, 20, 5, chart);
  }
  EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
  return test::ReadFile(path);
}

ChartRequest Request(int first_row, int last_row) {
  ChartRequest request;
  request.first_row = first_row;
  request.last_row = last_row;
  request.x_title = "WL(nm)";
  request.y_title = "%T";
  return request;
}

// The template with x/y data in rows 14.. and one chart added, saved and reopened as a package.
Package AddChartTo(const std::string& template_bytes, int points, const ChartRequest& request) {
  Workbook book = Workbook::LoadFromMemory(template_bytes);
  for (int i = 0; i < points; ++i) {
    book.ActiveSheet().SetNumber({1, 14 + i}, 200.0 + 0.5 * i);
    book.ActiveSheet().SetNumber({2, 14 + i}, 0.25 * i);
  }
  book.AddChart(request);
  const std::string saved = book.SaveToMemory();
  testing::ExpectWholePackage(saved);
  return Package::FromZip(saved, "report");
}

pugi::xml_document Xml(const Package& package, std::string_view part) {
  pugi::xml_document doc;
  EXPECT_TRUE(package.Contains(part)) << part;
  EXPECT_TRUE(doc.load_string(package.Read(part).c_str())) << part;
  return doc;
}

std::vector<std::string> PartsUnder(const Package& package, std::string_view folder) {
  std::vector<std::string> parts;
  for (const std::string& name : package.PartNames()) {
    if (name.starts_with(folder)) parts.push_back(name);
  }
  return parts;
}

std::vector<std::string> LocalChildNames(pugi::xml_node node) {
  std::vector<std::string> names;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element) names.emplace_back(LocalName(child));
  }
  return names;
}

// The drawing the sheet's <drawing> element names, checked to be the only one.
std::string SheetDrawingPart(Package& package) {
  const std::string sheet_part = "xl/worksheets/sheet1.xml";
  const pugi::xml_document sheet = Xml(package, sheet_part);
  const pugi::xml_node root = sheet.document_element();
  std::vector<std::string> names = LocalChildNames(root);
  EXPECT_EQ(std::count(names.begin(), names.end(), "drawing"), 1);
  // Every child keeps the order the file format prescribes.
  std::size_t previous = 0;
  for (const std::string& name : names) {
    const auto rank = static_cast<std::size_t>(
        std::find(kWorksheetElementOrder.begin(), kWorksheetElementOrder.end(), name) -
        kWorksheetElementOrder.begin());
    EXPECT_GE(rank, previous) << name << " out of order";
    previous = rank;
  }
  const std::string id = FindAttribute(FirstChild(root, "drawing"), "id", true).value();
  return FindTargetById(package, sheet_part, id);
}

// The chart parts the drawing's anchors point to, in anchor order.
std::vector<std::string> ChartsOfDrawing(Package& package, const std::string& drawing_part) {
  const pugi::xml_document drawing = Xml(package, drawing_part);
  std::vector<std::string> charts;
  for (pugi::xpath_node node : drawing.select_nodes("//*[local-name()='chart']")) {
    const std::string id = FindAttribute(node.node(), "id", true).value();
    charts.push_back(FindTargetById(package, drawing_part, id));
  }
  return charts;
}

TEST(ChartPackage, NewChartGetsDrawingRelationshipsAndContentTypes) {
  test::TempDir dir;
  Package package = AddChartTo(MakeTemplate(dir, {}), 3, Request(14, 16));

  const std::string drawing_part = SheetDrawingPart(package);
  EXPECT_EQ(drawing_part, "xl/drawings/drawing1.xml");
  EXPECT_EQ(ChartsOfDrawing(package, drawing_part),
            (std::vector<std::string>{"xl/charts/chart1.xml"}));
  EXPECT_EQ(ContentTypeOf(package, "xl/charts/chart1.xml"),
            "application/vnd.openxmlformats-officedocument.drawingml.chart+xml");
  EXPECT_EQ(ContentTypeOf(package, drawing_part),
            "application/vnd.openxmlformats-officedocument.drawing+xml");

  const pugi::xml_document chart = Xml(package, "xl/charts/chart1.xml");
  EXPECT_STREQ(chart.select_node("//c:xVal//c:f").node().text().get(), "Sheet1!$A$14:$A$16");
  EXPECT_STREQ(chart.select_node("//c:yVal//c:f").node().text().get(), "Sheet1!$B$14:$B$16");
  std::vector<std::string> y_cache;
  for (pugi::xpath_node v : chart.select_nodes("//c:yVal//c:pt/c:v")) {
    y_cache.emplace_back(v.node().text().get());
  }
  EXPECT_EQ(y_cache, (std::vector<std::string>{"0", "0.25", "0.5"}));
  EXPECT_STREQ(chart.select_node("//c:scaling/c:min").node().attribute("val").value(), "200");
  EXPECT_STREQ(chart.select_node("//c:scaling/c:max").node().attribute("val").value(), "201");

  // The engine reads its own output again.
  EXPECT_NO_THROW(Workbook::LoadFromMemory(package.ToZip(std::nullopt, {})));
}

// The relationship parts a chart adds take the package's Default where it has one, else an
// Override of their own, as do the relationships of a template that declares them one by one.
TEST(ChartPackage, AddedRelationshipPartsGetAContentType) {
  const std::string sheet_rels = "/xl/worksheets/_rels/sheet1.xml.rels";
  const std::string drawing_rels = "/xl/drawings/_rels/drawing1.xml.rels";
  struct Case {
    TemplateOptions options;
    bool one_by_one;
    int added_overrides;  // for the two parts above
  };
  for (const auto& [options, one_by_one, added_overrides] :
       {Case{{}, false, 0}, Case{{}, true, 2}, Case{{.picture = true}, true, 0}}) {
    test::TempDir dir;
    std::string template_bytes = MakeTemplate(dir, options);
    if (one_by_one) template_bytes = testing::WithRelationshipOverrides(template_bytes);
    const auto before = testing::PartXml(template_bytes, "[Content_Types].xml");
    Package package = AddChartTo(template_bytes, 3, Request(14, 16));
    int overrides = 0;
    for (const std::string& part : {sheet_rels, drawing_rels}) {
      const std::string query = "//*[@PartName='" + part + "']";
      overrides +=
          static_cast<int>(Xml(package, "[Content_Types].xml").select_nodes(query.c_str()).size() -
                           before.select_nodes(query.c_str()).size());
      EXPECT_EQ(ContentTypeOf(package, part), kRelationshipsContentType) << part;
    }
    EXPECT_EQ(overrides, added_overrides) << one_by_one << options.picture;
  }
}

TEST(ChartPackage, ChartJoinsTheDrawingOfATemplatePicture) {
  test::TempDir dir;
  const std::string template_bytes = MakeTemplate(dir, {.picture = true});
  Package before = Package::FromZip(template_bytes, "template");
  const std::vector<std::string> media = PartsUnder(before, "xl/media/");
  ASSERT_EQ(media.size(), 1u);

  Package package = AddChartTo(template_bytes, 3, Request(14, 16));
  const std::string drawing_part = SheetDrawingPart(package);
  EXPECT_EQ(PartsUnder(package, "xl/drawings/"),
            (std::vector<std::string>{"xl/drawings/drawing1.xml",
                                      "xl/drawings/_rels/drawing1.xml.rels"}));
  EXPECT_EQ(ChartsOfDrawing(package, drawing_part),
            (std::vector<std::string>{"xl/charts/chart1.xml"}));

  // The picture keeps its anchor, its relationship and its bytes.
  const pugi::xml_document drawing = Xml(package, drawing_part);
  const pugi::xml_node blip = drawing.select_node("//*[local-name()='blip']").node();
  ASSERT_TRUE(blip);
  EXPECT_EQ(FindTargetById(package, drawing_part, FindAttribute(blip, "embed", true).value()),
            media.front());
  EXPECT_EQ(package.Read(media.front()), before.Read(media.front()));

  std::set<std::string> ids;
  for (const Relationship& relationship : ReadRelationships(package, drawing_part)) {
    EXPECT_TRUE(ids.insert(relationship.id).second) << relationship.id;
  }
  EXPECT_EQ(ids.size(), 2u);
  std::set<std::string> shape_ids;
  for (pugi::xpath_node id : drawing.select_nodes("//*[local-name()='cNvPr']/@id")) {
    EXPECT_TRUE(shape_ids.insert(id.attribute().value()).second) << id.attribute().value();
  }
  EXPECT_EQ(shape_ids.size(), 2u);
}

TEST(ChartPackage, PartNumbersDoNotClashWithATemplateChart) {
  test::TempDir dir;
  Package package = AddChartTo(MakeTemplate(dir, {.chart = true}), 2, Request(14, 15));
  const std::string drawing_part = SheetDrawingPart(package);
  EXPECT_EQ(ChartsOfDrawing(package, drawing_part),
            (std::vector<std::string>{"xl/charts/chart1.xml", "xl/charts/chart2.xml"}));
  // The template's chart is untouched: still a column chart.
  EXPECT_TRUE(Xml(package, "xl/charts/chart1.xml").select_node("//c:barChart"));
  EXPECT_TRUE(Xml(package, "xl/charts/chart2.xml").select_node("//c:scatterChart"));
}

TEST(ChartPackage, SecondChartSharesTheDrawing) {
  test::TempDir dir;
  Workbook book = Workbook::LoadFromMemory(MakeTemplate(dir, {}));
  book.AddChart(Request(14, 20));
  ChartRequest second = Request(14, 20);
  second.anchor = {4, 30};
  book.AddChart(second);
  const std::string saved = book.SaveToMemory();
  testing::ExpectWholePackage(saved);
  Package package = Package::FromZip(saved, "report");
  EXPECT_EQ(ChartsOfDrawing(package, SheetDrawingPart(package)),
            (std::vector<std::string>{"xl/charts/chart1.xml", "xl/charts/chart2.xml"}));
}

TEST(ChartPackage, SheetNamesAreQuotedInReferences) {
  test::TempDir dir;
  Package package = AddChartTo(MakeTemplate(dir, {.sheet_name = "Scan 1"}), 2, Request(14, 15));
  const pugi::xml_document chart = Xml(package, "xl/charts/chart1.xml");
  EXPECT_STREQ(chart.select_node("//c:xVal//c:f").node().text().get(), "'Scan 1'!$A$14:$A$15");
}

TEST(ChartPackage, ChartWithoutPointsNamesTheEmptyFirstRow) {
  test::TempDir dir;
  Package package = AddChartTo(MakeTemplate(dir, {}), 0, Request(14, 13));
  const pugi::xml_document chart = Xml(package, "xl/charts/chart1.xml");
  EXPECT_STREQ(chart.select_node("//c:xVal//c:f").node().text().get(), "Sheet1!$A$14:$A$14");
  EXPECT_STREQ(chart.select_node("//c:yVal//c:f").node().text().get(), "Sheet1!$B$14:$B$14");
  EXPECT_FALSE(chart.select_node("//c:pt"));
  EXPECT_FALSE(chart.select_node("//c:scaling/c:min"));
}

TEST(ChartPackage, OnePointLeavesTheAxisToScaleItself) {
  test::TempDir dir;
  Package package = AddChartTo(MakeTemplate(dir, {}), 1, Request(14, 14));
  const pugi::xml_document chart = Xml(package, "xl/charts/chart1.xml");
  EXPECT_STREQ(chart.select_node("//c:xVal//c:f").node().text().get(), "Sheet1!$A$14:$A$14");
  EXPECT_EQ(chart.select_nodes("//c:yVal//c:pt").size(), 1u);
  EXPECT_FALSE(chart.select_node("//c:scaling/c:min"));
  EXPECT_FALSE(chart.select_node("//c:scaling/c:max"));
}

TEST(ChartPackage, RequestOffTheSheetIsRefused) {
  test::TempDir dir;
  Workbook book = Workbook::LoadFromMemory(MakeTemplate(dir, {}));
  EXPECT_THROW(book.AddChart(Request(0, 5)), WorkbookError);
  EXPECT_THROW(book.AddChart(Request(14, kMaxRows + 1)), WorkbookError);
  ChartRequest wide = Request(14, 15);
  wide.y_column = kMaxColumns + 1;
  EXPECT_THROW(book.AddChart(wide), WorkbookError);
}

}  // namespace
}  // namespace korvanta::workbook
