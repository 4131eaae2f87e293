// The workbook side of a conversion: the template opened in memory, the writers' cell and
// block operations on its active sheet, and the report saved and shown.
#include "driver/conversion.h"
#include "workbook/office_lock_files.h"

namespace korvanta {

bool Conversion::OpenWorkbook() {
  if (const auto lock = workbook::OfficeLockFile(m_outputPath)) {
    // Named so that a user whose office application crashed knows which file to delete.
    Fail("The same .xlsx file is already opened, please close it first. (Lock file: " +
         lock->string() + ")");
    return false;
  }
  // The template is edited in memory: an existing report survives a conversion that fails.
  m_workbook = workbook::Workbook::Load(m_templatePath);
  host_.SetStatus("Transforming...Please wait...");
  return true;
}

bool Conversion::FinishWorkbook() {
  if (!m_workbook) throw workbook::WorkbookError("No workbook is open.");
  workbook::SaveOptions options;
  options.entry_time = settings_.fixed_time;
  try {
    m_workbook->Save(m_outputPath, options);
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
    return false;
  }
  m_workbook.reset();
  written_files_.push_back(m_outputPath);
  status_ = ConversionStatus::kCompleted;
  host_.SetStatus("Completed.");
  host_.ShowWorkbook(m_outputPath);
  return true;
}

workbook::Worksheet& Conversion::Sheet() {
  if (!m_workbook) throw workbook::WorkbookError("No workbook is open.");
  return m_workbook->ActiveSheet();
}

void Conversion::PutCellValue(std::string_view address, const workbook::CellValue& value) {
  workbook::PutCellValue(Sheet(), address, value);
}

void Conversion::WriteTextCell(Col col, int row, std::string_view text) {
  workbook::WriteTextCell(Sheet(), col, row, text);
}

void Conversion::WriteVerbatimTextCell(Col col, int row, std::string_view text) {
  workbook::WriteVerbatimTextCell(Sheet(), col, row, text);
}

void Conversion::WriteIntegerCell(Col col, int row, std::int32_t value) {
  workbook::WriteIntegerCell(Sheet(), col, row, value);
}

void Conversion::WriteNumberCell(Col col, int row, float value) {
  workbook::WriteNumberCell(Sheet(), col, row, value);
}

void Conversion::InsertCopiedRows(int count, std::string_view span) {
  workbook::InsertCopiedRows(Sheet(), count, span);
}

void Conversion::InsertColumns(int count, std::string_view span) {
  workbook::InsertColumns(Sheet(), count, span);
}

void Conversion::DeleteRows(int count, std::string_view span) {
  workbook::DeleteRows(Sheet(), count, span);
}

void Conversion::CopyRows(std::string_view source, std::string_view target) {
  workbook::CopyRows(Sheet(), source, target);
}

}  // namespace korvanta
