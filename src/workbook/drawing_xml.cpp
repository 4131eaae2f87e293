#include "workbook/drawing_xml.h"

#include <algorithm>
#include <pugixml.hpp>
#include <string>

#include "workbook/opc.h"
#include "workbook/workbook.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::string_view Prefix(std::string_view qualified) {
  const auto colon = qualified.find(':');
  return colon == std::string_view::npos ? std::string_view{} : qualified.substr(0, colon);
}

// The namespace URI a prefix is bound to on `node` (the root of a drawing part).
std::string_view DeclaredNamespace(pugi::xml_node node, std::string_view prefix) {
  const std::string attribute = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  return node.attribute(attribute.c_str()).value();
}

// Declares `prefix` on `anchor` unless the root already binds it to `uri`.
void EnsureNamespace(pugi::xml_node root, pugi::xml_node anchor, const char* prefix,
                     std::string_view uri) {
  if (DeclaredNamespace(root, prefix) == uri) return;
  anchor.append_attribute((std::string("xmlns:") + prefix).c_str()) = uri.data();
}

// Shape ids are unique within a drawing: the new shape takes the next after the highest.
unsigned NextShapeId(pugi::xml_node root) {
  unsigned highest = 1;
  for (pugi::xml_node properties : DescendantsNamed(root, "cNvPr")) {
    highest = std::max(highest, properties.attribute("id").as_uint());
  }
  return highest + 1;
}

pugi::xml_node Element(pugi::xml_node parent, const char* name) {
  return parent.append_child(name);
}

void TextElement(pugi::xml_node parent, const char* name, std::int64_t value) {
  Element(parent, name).text().set(static_cast<long long>(value));
}

void AppendAnchor(pugi::xml_node root, const ChartAnchor& anchor, unsigned shape_id) {
  pugi::xml_node one_cell = Element(root, "xdr:oneCellAnchor");
  EnsureNamespace(root, one_cell, "xdr", kSpreadsheetDrawingNs);
  EnsureNamespace(root, one_cell, "a", kDrawingMlNs);

  pugi::xml_node from = Element(one_cell, "xdr:from");
  TextElement(from, "xdr:col", anchor.top_left.col - 1);
  TextElement(from, "xdr:colOff", 0);
  TextElement(from, "xdr:row", anchor.top_left.row - 1);
  TextElement(from, "xdr:rowOff", 0);
  pugi::xml_node ext = Element(one_cell, "xdr:ext");
  ext.append_attribute("cx") = static_cast<long long>(anchor.width_emu);
  ext.append_attribute("cy") = static_cast<long long>(anchor.height_emu);

  pugi::xml_node frame = Element(one_cell, "xdr:graphicFrame");
  frame.append_attribute("macro") = "";
  pugi::xml_node nv = Element(frame, "xdr:nvGraphicFramePr");
  pugi::xml_node c_nv_pr = Element(nv, "xdr:cNvPr");
  c_nv_pr.append_attribute("id") = shape_id;
  c_nv_pr.append_attribute("name") = ("Chart " + std::to_string(shape_id - 1)).c_str();
  Element(nv, "xdr:cNvGraphicFramePr");
  pugi::xml_node xfrm = Element(frame, "xdr:xfrm");
  pugi::xml_node off = Element(xfrm, "a:off");
  off.append_attribute("x") = "0";
  off.append_attribute("y") = "0";
  pugi::xml_node frame_ext = Element(xfrm, "a:ext");
  frame_ext.append_attribute("cx") = "0";
  frame_ext.append_attribute("cy") = "0";
  pugi::xml_node graphic_data = Element(Element(frame, "a:graphic"), "a:graphicData");
  graphic_data.append_attribute("uri") = kChartNs.data();
  pugi::xml_node chart = Element(graphic_data, "c:chart");
  EnsureNamespace(root, chart, "c", kChartNs);
  EnsureNamespace(root, chart, "r", kOfficeRelationshipsNs);
  chart.append_attribute("r:id") = anchor.chart_relationship_id.c_str();
  Element(one_cell, "xdr:clientData");
}

}  // namespace

std::string NewChartDrawingXml(const ChartAnchor& anchor) {
  pugi::xml_document doc;
  AppendStandaloneDeclaration(doc);
  pugi::xml_node root = doc.append_child("xdr:wsDr");
  root.append_attribute("xmlns:xdr") = kSpreadsheetDrawingNs.data();
  root.append_attribute("xmlns:a") = kDrawingMlNs.data();
  AppendAnchor(root, anchor, NextShapeId(root));
  return SerializeXml(doc);
}

std::string AddChartToDrawingXml(std::string_view drawing_xml, const ChartAnchor& anchor,
                                 std::string_view workbook_name, std::string_view part_name) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(drawing_xml.data(), drawing_xml.size(),
                                                        pugi::parse_full | pugi::parse_ws_pcdata);
  pugi::xml_node root = doc.document_element();
  if (!parsed || LocalName(root.name()) != "wsDr" ||
      DeclaredNamespace(root, Prefix(root.name())) != kSpreadsheetDrawingNs) {
    throw DamagedPart(workbook_name, part_name, "is no sheet drawing a chart can join.");
  }
  // The new anchor's elements use the prefix "xdr"; a root spelled otherwise gets it declared
  // on the anchor.
  AppendAnchor(root, anchor, NextShapeId(root));
  return SerializeXml(doc);
}

}  // namespace korvanta::workbook
