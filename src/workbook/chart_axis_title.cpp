// Workbook::SetChartAxisTitle: the rich-text title of an axis on the active sheet's charts.
#include "workbook/chart_axis_title.h"

#include <string>

#include "workbook/opc.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// The axes of a plot area, whatever their kind.
bool IsAxis(pugi::xml_node node) {
  const std::string_view name = LocalName(node);
  return name == "valAx" || name == "catAx" || name == "dateAx" || name == "serAx";
}

bool RunsIn(pugi::xml_node axis, ChartAxisDirection direction) {
  const std::string_view position = FindAttribute(FirstChild(axis, "axPos"), "val").value();
  const bool vertical = position == "l" || position == "r";
  return vertical == (direction == ChartAxisDirection::kVertical);
}

// a:r holds an optional a:rPr and then a:t.
void SetRunText(pugi::xml_node run, const std::string& text) {
  pugi::xml_node t = FirstChild(run, "t");
  if (!t) t = run.append_child(SameNamespaceName(run, "t").c_str());
  t.text().set(text.c_str());
}

// a:p holds a:pPr, then runs, line breaks and fields, then a:endParaRPr. The first run stays
// (or one is made) and carries the text alone.
void SetParagraphText(pugi::xml_node paragraph, const std::string& text) {
  pugi::xml_node kept = FirstChild(paragraph, "r");
  for (pugi::xml_node child = paragraph.first_child(); child;) {
    const pugi::xml_node next = child.next_sibling();
    const std::string_view name = LocalName(child);
    if (child != kept && (name == "r" || name == "br" || name == "fld")) {
      paragraph.remove_child(child);
    }
    child = next;
  }
  if (!kept) {
    const std::string run_name = SameNamespaceName(paragraph, "r");
    const pugi::xml_node end = FirstChild(paragraph, "endParaRPr");
    kept = end ? paragraph.insert_child_before(run_name.c_str(), end)
               : paragraph.append_child(run_name.c_str());
  }
  SetRunText(kept, text);
}

// c:rich holds a:bodyPr, a:lstStyle and one or more a:p; the first paragraph stays.
void SetRichText(pugi::xml_node rich, const std::string& text) {
  const std::vector<pugi::xml_node> paragraphs = ChildrenNamed(rich, "p");
  if (paragraphs.empty()) return;
  for (std::size_t i = 1; i < paragraphs.size(); ++i) rich.remove_child(paragraphs[i]);
  SetParagraphText(paragraphs.front(), text);
}

// The text a reader shows for c:rich: its runs' and fields' texts, paragraph by paragraph.
std::string RichText(pugi::xml_node rich) {
  std::string text;
  bool first = true;
  for (pugi::xml_node paragraph : ChildrenNamed(rich, "p")) {
    if (!first) text += '\n';
    first = false;
    for (pugi::xml_node t : DescendantsNamed(paragraph, "t")) text += t.text().get();
  }
  return text;
}

// The charts the active sheet's drawings show.
std::vector<std::string> SheetChartParts(Package& package, std::string_view sheet_part) {
  std::vector<std::string> charts;
  for (const Relationship& drawing : RelatedParts(package, sheet_part, "drawing")) {
    for (const Relationship& chart : RelatedParts(package, drawing.target, "chart")) {
      charts.push_back(chart.target);
    }
  }
  return charts;
}

}  // namespace

bool SetAxisTitleText(pugi::xml_node chart_space, ChartAxisDirection direction,
                      std::string_view reads, std::string_view text) {
  const std::string safe_text = XmlSafeText(text);
  bool found = false;
  for (pugi::xml_node axis : Descendants(chart_space, IsAxis)) {
    if (!RunsIn(axis, direction)) continue;
    const pugi::xml_node rich = FirstChild(FirstChild(FirstChild(axis, "title"), "tx"), "rich");
    if (!rich || RichText(rich) != reads) continue;
    SetRichText(rich, safe_text);
    found = true;
  }
  return found;
}

void Workbook::SetChartAxisTitle(ChartAxisDirection direction, std::string_view reads,
                                 std::string_view text) {
  Package& package = impl_->package;
  for (const std::string& chart : SheetChartParts(package, impl_->sheet_impl.part_name)) {
    SetAxisTitleText(package.Xml(chart).document_element(), direction, reads, text);
  }
}

}  // namespace korvanta::workbook
