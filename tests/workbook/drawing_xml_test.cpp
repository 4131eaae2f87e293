#include "workbook/drawing_xml.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <set>
#include <string>

#include "workbook/workbook.h"

namespace korvanta::workbook {
namespace {

constexpr std::string_view kBook = "book.xlsx";
constexpr std::string_view kDrawing = "xl/drawings/drawing1.xml";

constexpr const char* kXdr = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kC = "http://schemas.openxmlformats.org/drawingml/2006/chart";
constexpr const char* kR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The namespace a qualified name resolves to at `node`, as an XML reader resolves it.
std::string ResolveNamespace(pugi::xml_node node, std::string_view qualified) {
  const auto colon = qualified.find(':');
  const std::string attribute = colon == std::string_view::npos
                                    ? "xmlns"
                                    : "xmlns:" + std::string(qualified.substr(0, colon));
  for (pugi::xml_node n = node; n && n.type() == pugi::node_element; n = n.parent()) {
    if (pugi::xml_attribute a = n.attribute(attribute.c_str())) return a.value();
  }
  return {};
}

// Every element and prefixed attribute of the document resolves to a namespace.
void ExpectNamespacesResolve(pugi::xml_node root) {
  struct Walker : pugi::xml_tree_walker {
    bool for_each(pugi::xml_node& node) override {
      if (node.type() != pugi::node_element) return true;
      EXPECT_FALSE(ResolveNamespace(node, node.name()).empty()) << node.name();
      for (pugi::xml_attribute a : node.attributes()) {
        const std::string name = a.name();
        if (name.rfind("xmlns", 0) == 0 || name.find(':') == std::string::npos) continue;
        if (name.rfind("xml:", 0) == 0) continue;
        EXPECT_FALSE(ResolveNamespace(node, name).empty()) << name;
      }
      return true;
    }
  } walker;
  EXPECT_FALSE(ResolveNamespace(root, root.name()).empty());
  root.traverse(walker);
}

pugi::xml_node LocalChild(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_node child : node.children()) {
    std::string_view name = child.name();
    const auto colon = name.find(':');
    if ((colon == std::string_view::npos ? name : name.substr(colon + 1)) == local) return child;
  }
  return {};
}

ChartAnchor D2Anchor(std::string rel_id = "rId1") {
  return ChartAnchor{CellRef{4, 2}, 6400800, 3291840, std::move(rel_id)};
}

TEST(ChartDrawing, NewDrawingAnchorsTheChartByItsCornerAndSize) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(NewChartDrawingXml(D2Anchor("rId7")).c_str()));
  const pugi::xml_node root = doc.document_element();
  EXPECT_STREQ(root.name(), "xdr:wsDr");
  EXPECT_EQ(ResolveNamespace(root, root.name()), kXdr);
  ExpectNamespacesResolve(root);

  // A one-cell anchor with its own extent: the size does not follow row heights.
  const pugi::xml_node anchor = root.child("xdr:oneCellAnchor");
  ASSERT_TRUE(anchor);
  EXPECT_STREQ(anchor.child("xdr:from").child_value("xdr:col"), "3");
  EXPECT_STREQ(anchor.child("xdr:from").child_value("xdr:row"), "1");
  EXPECT_STREQ(anchor.child("xdr:ext").attribute("cx").value(), "6400800");
  EXPECT_STREQ(anchor.child("xdr:ext").attribute("cy").value(), "3291840");
  EXPECT_TRUE(anchor.child("xdr:clientData"));

  const pugi::xml_node chart = anchor.select_node(".//c:chart").node();
  ASSERT_TRUE(chart);
  EXPECT_EQ(ResolveNamespace(chart, "c:chart"), kC);
  EXPECT_EQ(ResolveNamespace(chart, "r:id"), kR);
  EXPECT_STREQ(chart.attribute("r:id").value(), "rId7");
  EXPECT_STREQ(chart.parent().attribute("uri").value(), kC);
}

TEST(ChartDrawing, ChartJoinsAnExistingDrawingWithAFreshShapeId) {
  const std::string existing =
      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
      R"(<xdr:wsDr xmlns:xdr=")" +
      std::string(kXdr) + R"(" xmlns:a=")" + kA +
      R"(">)"
      R"(<xdr:twoCellAnchor editAs="oneCell"><xdr:from><xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff>)"
      R"(<xdr:row>0</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>1</xdr:col>)"
      R"(<xdr:colOff>0</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>)"
      R"(<xdr:pic><xdr:nvPicPr><xdr:cNvPr id="2" name="Picture 1"/><xdr:cNvPicPr/></xdr:nvPicPr>)"
      R"(<xdr:blipFill><a:blip xmlns:r=")" +
      kR +
      R"(" r:embed="rId1"/></xdr:blipFill>)"
      R"(<xdr:spPr/></xdr:pic><xdr:clientData/></xdr:twoCellAnchor>)"
      R"(<xdr:oneCellAnchor><xdr:from><xdr:col>5</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>0</xdr:row>)"
      R"(<xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:ext cx="1" cy="1"/><xdr:sp macro="" textlink="">)"
      R"(<xdr:nvSpPr><xdr:cNvPr id="9" name="Box"/><xdr:cNvSpPr/></xdr:nvSpPr><xdr:spPr/></xdr:sp>)"
      R"(<xdr:clientData/></xdr:oneCellAnchor></xdr:wsDr>)";
  const std::string combined = AddChartToDrawingXml(existing, D2Anchor("rId2"), kBook, kDrawing);

  EXPECT_EQ(combined.rfind("<?xml", 0), 0u);
  EXPECT_EQ(combined.find("<?xml", 1), std::string::npos);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(combined.c_str()));
  const pugi::xml_node root = doc.document_element();
  ExpectNamespacesResolve(root);

  // The picture stays first and unchanged; the chart follows the other anchors.
  EXPECT_STREQ(root.first_child().name(), "xdr:twoCellAnchor");
  EXPECT_STREQ(root.select_node("//a:blip").node().attribute("r:embed").value(), "rId1");
  EXPECT_STREQ(root.last_child().name(), "xdr:oneCellAnchor");
  EXPECT_STREQ(root.last_child().select_node(".//c:chart").node().attribute("r:id").value(),
               "rId2");

  std::set<std::string> ids;
  for (pugi::xpath_node id : doc.select_nodes("//xdr:cNvPr/@id")) {
    EXPECT_TRUE(ids.insert(id.attribute().value()).second)
        << "duplicate id " << id.attribute().value();
  }
  EXPECT_TRUE(ids.count("10"));
}

TEST(ChartDrawing, DrawingWithOtherPrefixesStillResolves) {
  // LibreOffice and hand-made parts may bind the namespaces to other prefixes.
  const std::string existing = R"(<wsDr xmlns=")" + std::string(kXdr) +
                               R"(" xmlns:a="urn:other" xmlns:r="urn:other2"></wsDr>)";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(AddChartToDrawingXml(existing, D2Anchor(), kBook, kDrawing).c_str()));
  const pugi::xml_node root = doc.document_element();
  ExpectNamespacesResolve(root);
  const pugi::xml_node anchor = LocalChild(root, "oneCellAnchor");
  ASSERT_TRUE(anchor);
  EXPECT_EQ(ResolveNamespace(anchor, anchor.name()), kXdr);
  const pugi::xml_node chart = anchor.select_node(".//*[local-name()='chart']").node();
  EXPECT_EQ(ResolveNamespace(chart, chart.name()), kC);
  EXPECT_EQ(ResolveNamespace(chart, "r:id"), kR);
  const pugi::xml_node off = anchor.select_node(".//*[local-name()='off']").node();
  EXPECT_EQ(ResolveNamespace(off, off.name()), kA);
}

TEST(ChartDrawing, PartThatIsNoDrawingIsRefusedNamingWorkbookAndPart) {
  try {
    AddChartToDrawingXml("<worksheet/>", D2Anchor(), kBook, kDrawing);
    ADD_FAILURE() << "no error";
  } catch (const WorkbookError& error) {
    EXPECT_EQ(std::string(error.what()),
              "The workbook \"book.xlsx\" is damaged: the part \"xl/drawings/drawing1.xml\" is "
              "no sheet drawing a chart can join.");
  }
  EXPECT_THROW(
      AddChartToDrawingXml("<xdr:wsDr xmlns:xdr=\"urn:wrong\"/>", D2Anchor(), kBook, kDrawing),
      WorkbookError);
  EXPECT_THROW(AddChartToDrawingXml("not xml <", D2Anchor(), kBook, kDrawing), WorkbookError);
}

}  // namespace
}  // namespace korvanta::workbook
