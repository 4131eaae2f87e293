#include <filesystem>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "cli/inspect_readers.h"
#include "cli/inspection.h"
#include "driver/data_types.h"
#include "driver/path_rules.h"
#include "reports/code_tables.h"
#include "reports/export_file_check.h"
#include "reports/report_writers.h"
#include "workbook/number_format.h"

namespace korvanta::cli {
namespace {

using Inspector = void (*)(InspectionContext&);

// The inspection that follows the reads of a data type's report writer.
Inspector InspectorFor(const DataType& type) {
  const std::pair<ReportWriter, Inspector> kInspectors[] = {
      {&WriteProteinReport, &InspectProtein}, {&WriteConcentrationReport, &InspectConcentration},
      {&WriteDnaRnaReport, &InspectDnaRna},   {&WriteKineticsReport, &InspectKinetics},
      {&WriteOd600Report, &InspectOd600},     {&WritePhotometryReport, &InspectPhotometry},
      {&WriteTmReport, &InspectTm},           {&WriteWlScanReport, &InspectWlScan},
  };
  for (const auto& [writer, inspector] : kInspectors) {
    if (writer == type.writer) return inspector;
  }
  return nullptr;
}

template <typename Number>
std::string JoinWavelengths(const std::vector<Number>& wavelengths) {
  std::string text;
  for (const Number wavelength : wavelengths) {
    if (!text.empty()) text += ", ";
    if constexpr (std::is_floating_point_v<Number>) {
      text += workbook::FormatDecimal(wavelength, 4);
    } else {
      text += std::to_string(wavelength);
    }
  }
  return text;
}

}  // namespace

std::string WavelengthList(const std::vector<float>& wavelengths) {
  return JoinWavelengths(wavelengths);
}

std::string WavelengthList(const std::vector<std::int32_t>& wavelengths) {
  return JoinWavelengths(wavelengths);
}

void PathLengthSetting(InspectionContext& context, const std::optional<std::int32_t>& code) {
  context.Setting("pathlength", context.DecodeCode("pathlength", code, PathLengthText));
}

FileInspection InspectExportFile(const std::string& path) {
  FileInspection inspection;
  inspection.input = path;
  inspection.file_name = std::filesystem::path(path).filename().string();
  const auto extension = LowerCaseExtension(path);
  const DataType* type = extension ? FindDataTypeByExtension(*extension) : nullptr;
  const Inspector inspector = type == nullptr ? nullptr : InspectorFor(*type);
  if (inspector == nullptr) {
    inspection.summary.error = "Invalid file extension.";
    return inspection;
  }
  inspection.summary.data_type = std::string(type->button_text);
  inspection.template_name = std::string(type->default_template);
  // The messages are a conversion's, word for word.
  try {
    std::string bytes = ExportFile::ReadBytes(path);
    CheckIsExportFile(bytes, inspection.file_name, type->button_text);
    InspectionContext context(inspection, std::move(bytes));
    inspector(context);
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
