#include "reports/report_sheet.h"

namespace korvanta {

ReportSheet::ReportSheet(workbook::Workbook& workbook, std::string export_file_name,
                         std::string conversion_time)
    : workbook_(workbook),
      export_file_name_(std::move(export_file_name)),
      conversion_time_(std::move(conversion_time)) {}

void ReportSheet::WriteTextCell(Col col, int row, std::string_view text) {
  workbook::WriteTextCell(Sheet(), col, row, text);
}

void ReportSheet::WriteVerbatimTextCell(Col col, int row, std::string_view text) {
  workbook::WriteVerbatimTextCell(Sheet(), col, row, text);
}

void ReportSheet::WriteIntegerCell(Col col, int row, std::int32_t value) {
  workbook::WriteIntegerCell(Sheet(), col, row, value);
}

void ReportSheet::WriteNumberCell(Col col, int row, float value) {
  workbook::WriteNumberCell(Sheet(), col, row, value);
}

void ReportSheet::InsertCopiedRows(int count, std::string_view span) {
  workbook::InsertCopiedRows(Sheet(), count, span);
}

void ReportSheet::InsertColumns(int count, std::string_view span) {
  workbook::InsertColumns(Sheet(), count, span);
}

void ReportSheet::DeleteRows(int count, std::string_view span) {
  workbook::DeleteRows(Sheet(), count, span);
}

void ReportSheet::CopyRows(std::string_view source, std::string_view target) {
  workbook::CopyRows(Sheet(), source, target);
}

void ReportSheet::BuildChart(int first_row, int last_row, std::string_view y_title,
                             std::string_view x_title) {
  workbook::ChartRequest request;
  request.first_row = first_row;
  request.last_row = last_row;
  request.x_title = std::string(x_title);
  request.y_title = std::string(y_title);
  workbook_.AddChart(request);
}

void ReportSheet::SetChartYAxisTitle(std::string_view reads, std::string_view title) {
  workbook_.SetChartAxisTitle(workbook::ChartAxisDirection::kVertical, reads, title);
}

}  // namespace korvanta
