// The workbook side of a conversion: the template opened in memory, the variant's layout run on
// its active sheet, and the report saved and shown.
#include "driver/conversion.h"
#include "driver/conversion_time.h"
#include "reports/report_sheet.h"
#include "workbook/office_lock_files.h"

namespace korvanta {

bool Conversion::OpenWorkbook() {
  if (const auto lock = workbook::OfficeLockFile(paths_.output_path)) {
    // Named so that a user whose office application crashed knows which file to delete.
    Fail("The same .xlsx file is already opened, please close it first. (Lock file: " +
         lock->string() + ")");
    return false;
  }
  // The template is edited in memory: an existing report survives a conversion that fails.
  workbook_ = workbook::Workbook::Load(paths_.template_path);
  host_.SetStatus("Transforming...Please wait...");
  return true;
}

void Conversion::LayOut(const ReportVariant& variant, const VariantRecord& record) {
  ReportSheet sheet(*workbook_, paths_.export_file_name,
                    FormatConversionTime(settings_.fixed_time));
  variant.steps.lay_out(sheet, record);
}

bool Conversion::FinishWorkbook() {
  workbook::SaveOptions options;
  options.entry_time = settings_.fixed_time;
  try {
    workbook_->Save(paths_.output_path, options);
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
    return false;
  }
  workbook_.reset();
  written_files_.push_back(paths_.output_path);
  status_ = ConversionStatus::kCompleted;
  host_.SetStatus("Completed.");
  host_.ShowWorkbook(paths_.output_path);
  return true;
}

}  // namespace korvanta
