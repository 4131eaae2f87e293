#include "workbook/chart_xml.h"

#include <algorithm>
#include <cctype>
#include <pugixml.hpp>
#include <sstream>

#include "text/number_format.h"
#include "workbook/cell_address.h"
#include "workbook/opc.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// Axis ids only need to be unique within one chart.
constexpr const char* kXAxisId = "500000001";
constexpr const char* kYAxisId = "500000002";

constexpr const char* kLineColour = "4472C4";
constexpr const char* kAxisLineColour = "868686";
constexpr const char* kBorderColour = "D9D9D9";

bool IsAsciiLetter(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) != 0; }
bool IsAsciiDigit(char ch) { return std::isdigit(static_cast<unsigned char>(ch)) != 0; }

// R, C, R1, C1, RC, R1C1, rc2 ...: names the formula reader would take as R1C1 references.
bool LooksLikeR1C1(std::string_view name) {
  std::size_t i = 0;
  auto digits = [&] {
    while (i < name.size() && IsAsciiDigit(name[i])) ++i;
  };
  if (i < name.size() && (name[i] == 'R' || name[i] == 'r')) {
    ++i;
    digits();
  }
  if (i < name.size() && (name[i] == 'C' || name[i] == 'c')) {
    ++i;
    digits();
  }
  return i > 0 && i == name.size();
}

// Letters then digits within the sheet's limits, such as A1 or XFD100.
bool LooksLikeA1(std::string_view name) {
  std::size_t letters = 0;
  while (letters < name.size() && IsAsciiLetter(name[letters])) ++letters;
  if (letters == 0 || letters == name.size()) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(letters), name.end(),
                     IsAsciiDigit) &&
         ParseCellAddress(name).has_value();
}

bool NeedsQuotes(std::string_view name) {
  if (name.empty() || IsAsciiDigit(name.front()) || name.front() == '.') return true;
  const bool plain = std::all_of(name.begin(), name.end(), [](char ch) {
    return IsAsciiLetter(ch) || IsAsciiDigit(ch) || ch == '_' || ch == '.';
  });
  if (!plain) return true;
  if (LooksLikeA1(name) || LooksLikeR1C1(name)) return true;
  std::string upper(name);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char ch) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  });
  return upper == "TRUE" || upper == "FALSE";
}

pugi::xml_node Child(pugi::xml_node parent, const char* name) { return parent.append_child(name); }

pugi::xml_node ValElement(pugi::xml_node parent, const char* name, const char* value) {
  pugi::xml_node node = parent.append_child(name);
  node.append_attribute("val") = value;
  return node;
}

void SolidFill(pugi::xml_node parent, const char* rgb) {
  ValElement(Child(parent, "a:solidFill"), "a:srgbClr", rgb);
}

void Line(pugi::xml_node parent, const char* width_emu, const char* rgb) {
  pugi::xml_node ln = Child(parent, "a:ln");
  ln.append_attribute("w") = width_emu;
  ln.append_attribute("cap") = "rnd";
  SolidFill(ln, rgb);
  Child(ln, "a:round");
}

// Tick labels in a small regular font.
void TickLabelText(pugi::xml_node axis) {
  pugi::xml_node tx_pr = Child(axis, "c:txPr");
  Child(tx_pr, "a:bodyPr");
  Child(tx_pr, "a:lstStyle");
  pugi::xml_node paragraph = Child(tx_pr, "a:p");
  Child(Child(paragraph, "a:pPr"), "a:defRPr").append_attribute("sz") = "900";
  Child(paragraph, "a:endParaRPr").append_attribute("lang") = "en-US";
}

void AxisTitle(pugi::xml_node axis, const std::string& text, bool horizontal) {
  pugi::xml_node title = Child(axis, "c:title");
  pugi::xml_node rich = Child(Child(title, "c:tx"), "c:rich");
  pugi::xml_node body = Child(rich, "a:bodyPr");
  if (horizontal) {
    body.append_attribute("rot") = "0";
    body.append_attribute("vert") = "horz";
  }
  Child(rich, "a:lstStyle");
  pugi::xml_node paragraph = Child(rich, "a:p");
  pugi::xml_node def = Child(Child(paragraph, "a:pPr"), "a:defRPr");
  def.append_attribute("sz") = "1000";
  def.append_attribute("b") = "1";
  pugi::xml_node run = Child(paragraph, "a:r");
  pugi::xml_node run_pr = Child(run, "a:rPr");
  run_pr.append_attribute("lang") = "en-US";
  run_pr.append_attribute("sz") = "1000";
  run_pr.append_attribute("b") = "1";
  pugi::xml_node t = Child(run, "a:t");
  t.text().set(text.c_str());
  // Leading or trailing blanks of a title stay as they are.
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) {
    t.append_attribute("xml:space") = "preserve";
  }
  ValElement(title, "c:overlay", "0");
}

struct AxisLayout {
  const char* id;
  const char* cross_id;
  const char* position;  // "b" or "l"
  const char* label_position;
  const std::string* title;
  bool horizontal_title;
  std::optional<double> min;
  std::optional<double> max;
};

void ValueAxis(pugi::xml_node plot_area, const AxisLayout& layout) {
  pugi::xml_node axis = Child(plot_area, "c:valAx");
  ValElement(axis, "c:axId", layout.id);
  pugi::xml_node scaling = Child(axis, "c:scaling");
  ValElement(scaling, "c:orientation", "minMax");
  if (layout.max) ValElement(scaling, "c:max", text::ShortestDoubleText(*layout.max).c_str());
  if (layout.min) ValElement(scaling, "c:min", text::ShortestDoubleText(*layout.min).c_str());
  ValElement(axis, "c:delete", "0");
  ValElement(axis, "c:axPos", layout.position);
  if (!layout.title->empty()) AxisTitle(axis, *layout.title, layout.horizontal_title);
  pugi::xml_node num_fmt = Child(axis, "c:numFmt");
  num_fmt.append_attribute("formatCode") = "General";
  num_fmt.append_attribute("sourceLinked") = "1";
  ValElement(axis, "c:majorTickMark", "out");
  ValElement(axis, "c:minorTickMark", "none");
  ValElement(axis, "c:tickLblPos", layout.label_position);
  Line(Child(axis, "c:spPr"), "9525", kAxisLineColour);
  TickLabelText(axis);
  ValElement(axis, "c:crossAx", layout.cross_id);
  ValElement(axis, "c:crosses", "autoZero");
  ValElement(axis, "c:crossBetween", "midCat");
}

void NumberSource(pugi::xml_node parent, const char* name, const std::string& reference,
                  const std::vector<std::optional<double>>& cache) {
  pugi::xml_node num_ref = Child(Child(parent, name), "c:numRef");
  Child(num_ref, "c:f").text().set(reference.c_str());
  pugi::xml_node num_cache = Child(num_ref, "c:numCache");
  Child(num_cache, "c:formatCode").text().set("General");
  ValElement(num_cache, "c:ptCount", std::to_string(cache.size()).c_str());
  for (std::size_t i = 0; i < cache.size(); ++i) {
    if (!cache[i]) continue;
    pugi::xml_node pt = Child(num_cache, "c:pt");
    pt.append_attribute("idx") = static_cast<unsigned long long>(i);
    Child(pt, "c:v").text().set(text::ShortestDoubleText(*cache[i]).c_str());
  }
}

void Series(pugi::xml_node scatter, const ScatterChart& chart) {
  pugi::xml_node ser = Child(scatter, "c:ser");
  ValElement(ser, "c:idx", "0");
  ValElement(ser, "c:order", "0");
  Line(Child(ser, "c:spPr"), "19050", kLineColour);
  ValElement(Child(ser, "c:marker"), "c:symbol", "none");
  NumberSource(ser, "c:xVal", chart.x_reference, chart.x_cache);
  NumberSource(ser, "c:yVal", chart.y_reference, chart.y_cache);
  ValElement(ser, "c:smooth", "0");
}

}  // namespace

std::string FormulaSheetName(std::string_view sheet_name) {
  if (!NeedsQuotes(sheet_name)) return std::string(sheet_name);
  std::string quoted = "'";
  for (char ch : sheet_name) {
    if (ch == '\'') quoted += '\'';
    quoted += ch;
  }
  quoted += '\'';
  return quoted;
}

std::string ColumnRangeReference(std::string_view sheet_name, int column, int first_row,
                                 int last_row) {
  const std::string col = ColumnName(column);
  std::ostringstream out;
  out << FormulaSheetName(sheet_name) << "!$" << col << '$' << first_row << ":$" << col << '$'
      << last_row;
  return out.str();
}

std::string ChartSpaceXml(const ScatterChart& chart) {
  pugi::xml_document doc;
  AppendStandaloneDeclaration(doc);

  pugi::xml_node space = doc.append_child("c:chartSpace");
  space.append_attribute("xmlns:c") = kChartNs.data();
  space.append_attribute("xmlns:a") = kDrawingMlNs.data();
  space.append_attribute("xmlns:r") = kOfficeRelationshipsNs.data();
  ValElement(space, "c:date1904", "0");
  ValElement(space, "c:lang", "en-US");
  // Without this element office applications draw rounded corners.
  ValElement(space, "c:roundedCorners", "0");

  pugi::xml_node c = Child(space, "c:chart");
  ValElement(c, "c:autoTitleDeleted", "1");
  pugi::xml_node plot_area = Child(c, "c:plotArea");
  Child(plot_area, "c:layout");
  pugi::xml_node scatter = Child(plot_area, "c:scatterChart");
  ValElement(scatter, "c:scatterStyle", "lineMarker");
  ValElement(scatter, "c:varyColors", "0");
  Series(scatter, chart);
  ValElement(scatter, "c:axId", kXAxisId);
  ValElement(scatter, "c:axId", kYAxisId);

  // Tick labels of the x axis stay below the plot also when readings go negative.
  ValueAxis(plot_area,
            {kXAxisId, kYAxisId, "b", "low", &chart.x_title, false, chart.x_min, chart.x_max});
  ValueAxis(plot_area,
            {kYAxisId, kXAxisId, "l", "nextTo", &chart.y_title, true, std::nullopt, std::nullopt});
  ValElement(c, "c:plotVisOnly", "1");
  ValElement(c, "c:dispBlanksAs", "gap");

  pugi::xml_node sp_pr = Child(space, "c:spPr");
  SolidFill(sp_pr, "FFFFFF");
  Line(sp_pr, "9525", kBorderColour);

  return SerializeXml(doc);
}

}  // namespace korvanta::workbook
