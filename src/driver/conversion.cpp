// The driver's steps: from the chosen export file to the report writer of its type.
#include "driver/conversion.h"

#include <algorithm>
#include <exception>
#include <new>
#include <nlohmann/json.hpp>
#include <system_error>

#include "asm/asm_document.h"
#include "asm/measurement_time.h"
#include "asm/sha1.h"
#include "driver/conversion_time.h"
#include "driver/data_types.h"
#include "driver/path_rules.h"
#include "driver/template_folders.h"
#include "reports/export_file_check.h"
#include "workbook/atomic_file.h"

namespace korvanta {

Conversion::Conversion(Host& host, ConversionSettings settings)
    : host_(host), settings_(std::move(settings)) {}

void Conversion::SetExportPath(const std::string& path) {
  m_exportPath = path;
  m_exportFileName = std::filesystem::path(path).filename().string();
}

ConversionStatus Conversion::OnConvert() {
  summary_ = {};
  status_ = ConversionStatus::kFailed;
  // The type comes from the extension alone, whatever button chose the file.
  const auto extension = LowerCaseExtension(m_exportPath);
  const DataType* type = extension ? FindDataTypeByExtension(*extension) : nullptr;
  if (type == nullptr) {
    Fail("Invalid file extension.");
    return EndRun();
  }
  m_templatePath = TemplatePath(type->default_template);
  if (!CheckTemplate()) return EndRun();
  return RunReportWriter(*extension);
}

ConversionStatus Conversion::RunReportWriter(const std::string& extension) {
  summary_ = {};
  status_ = ConversionStatus::kFailed;
  m_workbook.reset();
  export_bytes_.reset();
  asm_written_ = false;
  written_files_.clear();
  const DataType* type = FindDataTypeByExtension(extension);
  if (type == nullptr) {
    Fail("Invalid file extension.");
    return EndRun();
  }
  summary_.data_type = std::string(type->button_text);
  try {
    // Read once, before anything is asked: a missing file is reported before the save dialog.
    export_bytes_ = ExportFile::ReadBytes(m_exportPath);
    // A file of another kind is refused before the writer asks for anything or writes.
    CheckIsExportFile(*export_bytes_, m_exportFileName, type->button_text);
    type->writer(*this);
  } catch (const ExportFileError& error) {
    Fail(error.what());
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
  } catch (const std::bad_alloc&) {
    Fail("There is not enough memory to convert " + m_exportFileName + ".");
  } catch (const std::exception& error) {
    Fail("The conversion of " + m_exportFileName + " failed: " + error.what());
  }
  return EndRun();
}

ConversionStatus Conversion::EndRun() {
  // A report without the ASM document that was asked as well is not a complete conversion.
  if (status_ == ConversionStatus::kCompleted && WantsAsm() && !asm_written_) {
    status_ = ConversionStatus::kFailed;
  }
  m_workbook.reset();
  export_bytes_.reset();
  if (status_ == ConversionStatus::kFailed) host_.SetStatus("Conversion failed.");
  return status_;
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
  m_outputPath = std::move(path);
  return true;
}

bool Conversion::CheckTemplate() {
  if (!WantsReport()) return true;
  std::error_code ignored;
  if (std::filesystem::is_regular_file(m_templatePath, ignored)) return true;
  Fail("Can not find template file: " + m_templatePath);
  return false;
}

void Conversion::OfferAsm(const AsmBuilder& build) {
  if (!WantsAsm()) return;
  std::string text;
  try {
    const AsmSource source{m_exportFileName,
                           std::filesystem::absolute(m_exportPath).lexically_normal().string(),
                           MeasurementTime(m_exportPath, settings_.fixed_time),
                           summary_.variant,
                           export_bytes_ ? Sha1Hex(*export_bytes_) : std::string(),
                           std::string(MeasurementTimeOrigin(settings_.fixed_time)),
                           summary_.warnings};
    // A path that is not UTF-8 (file names are bytes on Linux) must not cost the report.
    text = build(source).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    text += '\n';
  } catch (const AsmRefusal& refusal) {
    Fail(refusal.what());
    return;
  } catch (const std::filesystem::filesystem_error& error) {
    Fail("Can not read the modification time of " + m_exportPath + ": " + error.code().message() +
         ".");
    return;
  }
  std::error_code ignored;
  if (std::filesystem::exists(m_asmPath, ignored) && !host_.ConfirmOverwrite(m_asmPath)) return;
  try {
    workbook::WriteFileAtomically(m_asmPath, text);
  } catch (const workbook::WorkbookError& error) {
    Fail(error.what());
    return;
  }
  asm_written_ = true;
  written_files_.push_back(m_asmPath);
  if (!WantsReport()) {
    status_ = ConversionStatus::kCompleted;
    host_.SetStatus("Completed.");
  }
  host_.ShowDocument(m_asmPath);
}

std::string Conversion::TemplatePath(std::string_view file_name) const {
  return ResolveTemplate(settings_, file_name).string();
}

ExportFile Conversion::OpenExportFile() {
  if (!export_bytes_) export_bytes_ = ExportFile::ReadBytes(m_exportPath);
  return ExportFile(*export_bytes_, m_exportFileName,
                    [this](const std::string& warning) { Warn(warning); });
}

std::string Conversion::ConversionTimeText() const {
  return FormatConversionTime(settings_.fixed_time);
}

void Conversion::Warn(const std::string& text) {
  // A file handed from writer to writer is read again; its warnings are told once.
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
