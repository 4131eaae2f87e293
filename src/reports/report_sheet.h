// The sheet a report is laid out on: the template's active sheet with the cell writes and block
// operations the layouts use, and what the report's head shows about the conversion.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/cell_address.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"

namespace korvanta {

using workbook::Col;

class ReportSheet {
 public:
  ReportSheet(workbook::Workbook& workbook, std::string export_file_name,
              std::string conversion_time);

  // The export file's name alone, as B1 shows it.
  const std::string& ExportFileName() const { return export_file_name_; }
  // "%Y.%m.%d  %H:%M:%S" of the conversion time.
  const std::string& ConversionTimeText() const { return conversion_time_; }

  void WriteTextCell(Col col, int row, std::string_view text);
  void WriteVerbatimTextCell(Col col, int row, std::string_view text);
  void WriteIntegerCell(Col col, int row, std::int32_t value);
  void WriteNumberCell(Col col, int row, float value);
  void InsertCopiedRows(int count, std::string_view span);
  void InsertColumns(int count, std::string_view span);
  void DeleteRows(int count, std::string_view span);
  void CopyRows(std::string_view source, std::string_view target);
  void BuildChart(int first_row, int last_row, std::string_view y_title, std::string_view x_title);
  // The template chart's y-axis title, where it is text of its own reading `reads`.
  void SetChartYAxisTitle(std::string_view reads, std::string_view title);
  workbook::Worksheet& Sheet() { return workbook_.ActiveSheet(); }

 private:
  workbook::Workbook& workbook_;
  std::string export_file_name_;
  std::string conversion_time_;
};

}  // namespace korvanta
