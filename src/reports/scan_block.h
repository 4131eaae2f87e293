// The data block of the scan reports: one row per point from the template's data row down,
// the point's position (time, temperature, wavelength) in column A, its reading in column B,
// and a chart of the readings over the positions.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

class ReportSheet;

// The data row copied for every reading, then row by row the position (written by
// `write_position(row, index)`) and the reading, then the chart: readings titled `y_title`
// over positions titled `x_title`.
void WriteScanBlock(ReportSheet& c, int first_row, const std::vector<std::string>& readings,
                    std::string_view y_title, std::string_view x_title,
                    const std::function<void(int row, int index)>& write_position);

// The same with the record's positions, one per reading, each written with 4 decimals at most.
void WriteSteppedScanBlock(ReportSheet& c, int first_row, const std::vector<std::string>& readings,
                           const std::vector<float>& positions, std::string_view y_title,
                           std::string_view x_title);

}  // namespace korvanta
