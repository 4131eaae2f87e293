// The chart part of a scan report: one x/y series drawn as straight lines without markers,
// two value axes, no chart title, no legend and no gridlines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::workbook {

struct ScatterChart {
  std::string x_reference;  // 'Sheet 1'!$A$14:$A$113
  std::string y_reference;
  // The values the references show now, one entry per row; empty entries are gaps.
  std::vector<std::optional<double>> x_cache;
  std::vector<std::optional<double>> y_cache;
  std::string x_title;  // no title element when empty
  std::string y_title;  // written horizontally
  // Bounds of the x axis; the application scales the axis itself when absent.
  std::optional<double> x_min;
  std::optional<double> x_max;
};

// A sheet name as a formula must spell it: quoted (with doubled apostrophes) unless it is a
// plain name that cannot be read as a cell reference.
std::string FormulaSheetName(std::string_view sheet_name);

// Absolute reference to one column's rows: Sheet1!$A$14:$A$113.
std::string ColumnRangeReference(std::string_view sheet_name, int column, int first_row,
                                 int last_row);

// The complete chart part (c:chartSpace).
std::string ChartSpaceXml(const ScatterChart& chart);

}  // namespace korvanta::workbook
