// The ASM document of a conversion: built from the record and written beside the report.
#include <nlohmann/json.hpp>

#include "asm/asm_document.h"
#include "asm/measurement_time.h"
#include "asm/sha1.h"
#include "driver/conversion.h"
#include "workbook/atomic_file.h"

namespace korvanta {

void Conversion::OfferAsm(std::string_view export_bytes, const AsmBuilder& build) {
  if (!WantsAsm()) return;
  const std::string& asm_path = paths_.asm_path;
  std::string text;
  try {
    const AsmSource source{
        paths_.export_file_name,
        std::filesystem::absolute(paths_.export_path).lexically_normal().string(),
        MeasurementTime(paths_.export_path, settings_.fixed_time),
        summary_.variant,
        Sha1Hex(export_bytes),
        std::string(MeasurementTimeOrigin(settings_.fixed_time)),
        summary_.warnings};
    // A path that is not UTF-8 (file names are bytes on Linux) must not cost the report.
    text = build(source).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    text += '\n';
  } catch (const AsmRefusal& refusal) {
    Fail(refusal.what());
    return;
  } catch (const std::filesystem::filesystem_error& error) {
    Fail("Can not read the modification time of " + paths_.export_path + ": " +
         error.code().message() + ".");
    return;
  }
  std::error_code ignored;
  if (std::filesystem::exists(asm_path, ignored) && !host_.ConfirmOverwrite(asm_path)) return;
  try {
    workbook::WriteFileAtomically(asm_path, text);
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
    return;
  }
  asm_written_ = true;
  written_files_.push_back(asm_path);
  if (!WantsReport()) {
    status_ = ConversionStatus::kCompleted;
    host_.SetStatus("Completed.");
  }
  host_.ShowDocument(asm_path);
}

}  // namespace korvanta
