// The drawing part that places a chart on a sheet: a new part, or one more anchor in a
// drawing the sheet already has (a logo, say).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/cell_address.h"

namespace korvanta::workbook {

struct ChartAnchor {
  CellRef top_left;  // the chart's corner sits on this cell's top-left corner
  std::int64_t width_emu = 0;
  std::int64_t height_emu = 0;
  std::string chart_relationship_id;  // of the chart part, in the drawing's relationships
};

// A drawing part holding just this chart.
std::string NewChartDrawingXml(const ChartAnchor& anchor);

// `drawing_xml` with the chart added after its other anchors. The chart gets a shape id
// that no other shape of the drawing has. Throws WorkbookError naming the workbook and the part
// when the part is no drawing.
std::string AddChartToDrawingXml(std::string_view drawing_xml, const ChartAnchor& anchor,
                                 std::string_view workbook_name, std::string_view part_name);

}  // namespace korvanta::workbook
