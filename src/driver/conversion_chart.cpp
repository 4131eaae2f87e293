// The charts of the open workbook: the scan reports' chart added, a template chart's axis
// title set.
#include "driver/conversion.h"

namespace korvanta {

void Conversion::BuildChart(int first_row, int last_row, std::string_view y_title,
                            std::string_view x_title) {
  if (!m_workbook) throw workbook::WorkbookError("No workbook is open.");
  workbook::ChartRequest request;
  request.first_row = first_row;
  request.last_row = last_row;
  request.x_title = std::string(x_title);
  request.y_title = std::string(y_title);
  m_workbook->AddChart(request);
}

void Conversion::SetChartYAxisTitle(std::string_view reads, std::string_view title) {
  if (!m_workbook) throw workbook::WorkbookError("No workbook is open.");
  m_workbook->SetChartAxisTitle(workbook::ChartAxisDirection::kVertical, reads, title);
}

}  // namespace korvanta
