// Workbook::AddChart: the chart part, the drawing that places it on the active sheet, and the
// relationships and content types that tie them into the package.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "workbook/cell_address.h"
#include "workbook/chart_xml.h"
#include "workbook/drawing_xml.h"
#include "workbook/opc.h"
#include "workbook/sheet_schema.h"
#include "workbook/workbook.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// "xl/charts/chart2.xml" when the template already has a chart1.
std::string FreePartName(const Package& package, std::string_view stem) {
  for (int number = 1;; ++number) {
    std::string name = std::string(stem) + std::to_string(number) + ".xml";
    if (!package.Contains(name)) return name;
  }
}

std::optional<double> NumberAt(const Worksheet& sheet, CellRef ref) {
  const CellContent content = sheet.Get(ref);
  if (const double* number = std::get_if<double>(&content)) return *number;
  return std::nullopt;
}

void CheckRequest(const ChartRequest& request) {
  const auto in = [](int value, int limit) { return value >= 1 && value <= limit; };
  if (!in(request.first_row, kMaxRows) || request.last_row > kMaxRows ||
      !in(request.x_column, kMaxColumns) || !in(request.y_column, kMaxColumns) ||
      !in(request.anchor.col, kMaxColumns) || !in(request.anchor.row, kMaxRows) ||
      request.width_emu <= 0 || request.height_emu <= 0) {
    throw WorkbookError("The chart does not fit on the sheet.");
  }
}

// The series over the request's rows with what the cells hold now. Without rows the
// references name the first row alone, whose cells are empty: a chart without points that
// fills in when data is typed there.
ScatterChart ChartContentFor(const Worksheet& sheet, const ChartRequest& request) {
  const int last_row = std::max(request.last_row, request.first_row);
  ScatterChart chart;
  chart.x_reference =
      ColumnRangeReference(sheet.Name(), request.x_column, request.first_row, last_row);
  chart.y_reference =
      ColumnRangeReference(sheet.Name(), request.y_column, request.first_row, last_row);
  if (request.last_row < request.first_row) {
    chart.x_cache.emplace_back();
    chart.y_cache.emplace_back();
  } else {
    for (int row = request.first_row; row <= last_row; ++row) {
      chart.x_cache.push_back(NumberAt(sheet, {request.x_column, row}));
      chart.y_cache.push_back(NumberAt(sheet, {request.y_column, row}));
    }
  }
  chart.x_title = request.x_title;
  chart.y_title = request.y_title;
  // The x axis spans exactly the data, as a category axis would.
  const std::optional<double> first_x = chart.x_cache.front();
  const std::optional<double> last_x = chart.x_cache.back();
  if (first_x && last_x && *first_x != *last_x) {
    chart.x_min = std::min(*first_x, *last_x);
    chart.x_max = std::max(*first_x, *last_x);
  }
  return chart;
}

// A prefix that can start an attribute name. The parser takes declarations such as
// xmlns:2="..." that no reader accepts in use ("2:id").
bool IsUsablePrefix(std::string_view prefix) {
  if (prefix.empty()) return false;
  const auto first = static_cast<unsigned char>(prefix.front());
  return std::isalpha(first) != 0 || first == '_' || first >= 0x80;
}

// The prefix the sheet binds to the relationships namespace, declared on `element` when the
// sheet has none it can use.
std::string RelationshipIdAttribute(pugi::xml_node sheet_root, pugi::xml_node element) {
  for (pugi::xml_attribute attribute : sheet_root.attributes()) {
    const std::string_view name = attribute.name();
    if (name.starts_with("xmlns:") && attribute.value() == kOfficeRelationshipsNs &&
        IsUsablePrefix(name.substr(6))) {
      return std::string(name.substr(6)) + ":id";
    }
  }
  element.append_attribute("xmlns:r") = kOfficeRelationshipsNs.data();
  return "r:id";
}

// The drawing part the sheet's <drawing> element names, when that part exists.
std::string ExistingDrawingPart(Package& package, pugi::xml_node sheet_root,
                                std::string_view sheet_part) {
  const pugi::xml_node drawing = FirstChild(sheet_root, "drawing");
  if (!drawing) return {};
  const std::string id = FindAttribute(drawing, "id", true).value();
  const std::string part = FindTargetById(package, sheet_part, id);
  return !part.empty() && package.Contains(part) ? part : std::string();
}

// Points the sheet at a drawing part of its own: its <drawing> element, placed where the
// file format wants it (or repaired when it named a part that is missing).
void LinkDrawing(Package& package, pugi::xml_node sheet_root, std::string_view sheet_part,
                 const std::string& drawing_part) {
  const std::string id = AddRelationship(package, sheet_part, "drawing", drawing_part);
  pugi::xml_node drawing = ChildInSchemaOrder(sheet_root, "drawing", kWorksheetElementOrder);
  for (pugi::xml_attribute attribute = drawing.first_attribute(); attribute;) {
    const pugi::xml_attribute next = attribute.next_attribute();
    if (LocalName(attribute) == "id") drawing.remove_attribute(attribute);
    attribute = next;
  }
  const std::string id_attribute = RelationshipIdAttribute(sheet_root, drawing);
  drawing.append_attribute(id_attribute.c_str()) = id.c_str();
}

}  // namespace

void Workbook::AddChart(const ChartRequest& request) {
  CheckRequest(request);
  Package& package = impl_->package;
  const pugi::xml_node sheet_root = impl_->sheet_impl.Root();
  const std::string& sheet_part = impl_->sheet_impl.part_name;

  const std::string chart_part = FreePartName(package, "xl/charts/chart");
  package.Write(chart_part, ChartSpaceXml(ChartContentFor(impl_->sheet, request)));
  RegisterContentType(package, chart_part, kChartContentType);

  ChartAnchor anchor{request.anchor, request.width_emu, request.height_emu, {}};
  std::string drawing_part = ExistingDrawingPart(package, sheet_root, sheet_part);
  if (!drawing_part.empty()) {
    // A logo or other picture of the template stays; the chart joins it.
    anchor.chart_relationship_id = AddRelationship(package, drawing_part, "chart", chart_part);
    package.Write(drawing_part, AddChartToDrawingXml(package.Read(drawing_part), anchor,
                                                     package.DisplayName(), drawing_part));
    return;
  }
  drawing_part = FreePartName(package, "xl/drawings/drawing");
  anchor.chart_relationship_id = AddRelationship(package, drawing_part, "chart", chart_part);
  package.Write(drawing_part, NewChartDrawingXml(anchor));
  RegisterContentType(package, drawing_part, kDrawingContentType);
  LinkDrawing(package, sheet_root, sheet_part, drawing_part);
}

}  // namespace korvanta::workbook
