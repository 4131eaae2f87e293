// The pipeline: from the chosen export file to the outputs its variant's registry row makes.
#include "driver/conversion.h"

#include <algorithm>
#include <exception>
#include <new>
#include <system_error>

#include "driver/conversion_time.h"
#include "driver/data_types.h"
#include "driver/path_rules.h"
#include "driver/template_folders.h"
#include "formats/export_file.h"
#include "formats/export_file_check.h"
#include "reports/report_limits.h"

namespace korvanta {

Conversion::Conversion(Host& host, ConversionSettings settings)
    : host_(host), settings_(std::move(settings)) {}

void Conversion::SetExportPath(const std::string& path) {
  paths_.export_path = path;
  paths_.export_file_name = std::filesystem::path(path).filename().string();
}

ConversionStatus Conversion::OnConvert() {
  summary_ = {};
  status_ = ConversionStatus::kFailed;
  workbook_.reset();
  asm_written_ = false;
  written_files_.clear();
  // The type comes from the extension alone, whatever button chose the file.
  const auto extension = LowerCaseExtension(paths_.export_path);
  const DataType* type = extension ? FindDataTypeByExtension(*extension) : nullptr;
  if (type == nullptr) {
    Fail("Invalid file extension.");
    return EndRun();
  }
  summary_.data_type = std::string(type->button_text);
  // A template all the type's variants share is checked before the file is read.
  const std::optional<std::string_view> shared_template = SharedTemplate(*type);
  if (shared_template && !CheckTemplate(*shared_template)) return EndRun();
  const std::string& name = paths_.export_file_name;
  try {
    // Read once, before anything is asked: a missing file is reported before the save dialog.
    const std::string bytes = ExportFile::ReadBytes(paths_.export_path);
    // A file of another kind is refused before anything is asked or written.
    CheckIsExportFile(bytes, name, type->button_text);
    bool report = false;
    if (type->asks_before_reading) {
      report = AskOutputPath() && OpenWorkbook();
      if (!report && !WantsAsm()) return EndRun();
    }
    const ReadExport read = ReadRecord(bytes, *type);
    if (!shared_template && !CheckTemplate(read.variant->template_file)) return EndRun();
    summary_.variant = std::string(read.variant->name);
    read.variant->steps.summarise(*read.record, summary_);
    OfferAsm(bytes, [&read](const AsmSource& source) {
      return read.variant->steps.asm_document(*read.record, source);
    });
    if (!type->asks_before_reading) report = AskOutputPath() && OpenWorkbook();
    if (!report) return EndRun();
    LayOut(*read.variant, *read.record);
    FinishWorkbook();
  } catch (const ExportFileError& error) {
    Fail(error.what());
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
  } catch (const std::bad_alloc&) {
    Fail("There is not enough memory to convert " + name + ".");
  } catch (const std::exception& error) {
    Fail("The conversion of " + name + " failed: " + error.what());
  }
  return EndRun();
}

ReadExport Conversion::ReadRecord(const std::string& bytes, const DataType& type) {
  ExportFile file(
      bytes, paths_.export_file_name, [this](const std::string& warning) { Warn(warning); },
      kCellFieldLimit);
  return ReadVariantRecord(file, type);
}

ConversionStatus Conversion::EndRun() {
  // A report without the ASM document that was asked as well is not a complete conversion.
  if (status_ == ConversionStatus::kCompleted && WantsAsm() && !asm_written_) {
    status_ = ConversionStatus::kFailed;
  }
  workbook_.reset();
  if (status_ == ConversionStatus::kFailed) host_.SetStatus("Conversion failed.");
  return status_;
}

bool Conversion::CheckTemplate(std::string_view file_name) {
  paths_.template_path = ResolveTemplate(settings_, file_name).string();
  if (!WantsReport()) return true;
  std::error_code ignored;
  if (std::filesystem::is_regular_file(paths_.template_path, ignored)) return true;
  Fail("Can not find template file: " + paths_.template_path);
  return false;
}

bool Conversion::AskOutputPath() {
  if (!WantsReport()) return false;
  const auto choice = host_.ChooseOutputPath();
  if (!choice) {
    status_ = ConversionStatus::kCancelled;
    return false;
  }
  std::string path = WithXlsxExtension(choice->path);
  // The chooser confirmed replacing only the name as entered, not one with ".xlsx" appended.
  const bool confirmed = choice->overwrite_confirmed && path == choice->path;
  std::error_code ignored;
  if (!confirmed && std::filesystem::exists(path, ignored) && !host_.ConfirmOverwrite(path)) {
    status_ = ConversionStatus::kCancelled;
    return false;
  }
  paths_.output_path = std::move(path);
  return true;
}

void Conversion::Warn(const std::string& text) {
  // The same warning is told once.
  auto& warnings = summary_.warnings;
  if (std::find(warnings.begin(), warnings.end(), text) != warnings.end()) return;
  warnings.push_back(text);
  host_.ShowWarning(text);
}

void Conversion::Fail(const std::string& message) {
  status_ = ConversionStatus::kFailed;
  if (summary_.error.empty()) summary_.error = message;
  host_.ShowMessage(message);
}

}  // namespace korvanta
