#include "cli/inspect_file.h"

#include <filesystem>
#include <new>
#include <stdexcept>
#include <utility>

#include "driver/data_types.h"
#include "driver/path_rules.h"
#include "driver/report_registry.h"
#include "formats/export_file.h"
#include "formats/export_file_check.h"
#include "inspect/inspect_context.h"
#include "reports/report_limits.h"

namespace korvanta::cli {

FileInspection InspectExportFile(const std::string& path) {
  FileInspection inspection;
  inspection.input = path;
  inspection.file_name = std::filesystem::path(path).filename().string();
  const auto extension = LowerCaseExtension(path);
  const DataType* type = extension ? FindDataTypeByExtension(*extension) : nullptr;
  if (type == nullptr) {
    inspection.summary.error = "Invalid file extension.";
    return inspection;
  }
  inspection.summary.data_type = std::string(type->button_text);
  inspection.template_name = std::string(FirstVariant(*type).template_file);
  // The messages are a conversion's, word for word.
  try {
    const std::string bytes = ExportFile::ReadBytes(path);
    CheckIsExportFile(bytes, inspection.file_name, type->button_text);
    InspectionContext context(inspection);
    ExportFile file(bytes, inspection.file_name, context.Warnings(), kCellFieldLimit);
    file.SetFieldSink(context.FieldLines());
    // A file that fails part way still names the template of the variant it was read as.
    const ReadExport read = ReadVariantRecord(file, *type, [&](const ReportVariant& variant) {
      inspection.template_name = std::string(variant.template_file);
    });
    inspection.template_name = std::string(read.variant->template_file);
    inspection.summary.variant = std::string(read.variant->name);
    read.variant->steps.summarise(*read.record, inspection.summary);
    read.variant->steps.describe(context, *read.record);
  } catch (const ExportFileError& error) {
    inspection.summary.error = error.what();
  } catch (const std::bad_alloc&) {
    inspection.summary.error =
        "There is not enough memory to convert " + inspection.file_name + ".";
  } catch (const std::exception& error) {
    inspection.summary.error =
        "The conversion of " + inspection.file_name + " failed: " + error.what();
  }
  return inspection;
}

}  // namespace korvanta::cli
