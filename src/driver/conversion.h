// One conversion from export file to report and ASM document: its settings, paths and outcome,
// and the pipeline that runs it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "asm/asm_source.h"
#include "driver/host.h"
#include "driver/report_registry.h"
#include "formats/report_summary.h"
#include "workbook/workbook.h"

namespace korvanta {

enum class ConversionStatus { kCompleted, kCancelled, kFailed };

// What a conversion writes: the Excel report, the Allotrope Simple Model (ASM) document of the
// measurements, or both.
struct OutputFormats {
  bool report = true;
  bool asm_document = false;
};

struct ConversionSettings {
  // The template folder: the one the user named, or the installed templates.
  std::filesystem::path template_dir;
  // Conversion time written into reports (and the measurement time of ASM documents); the
  // current time (the export file's time) when empty.
  std::optional<std::time_t> fixed_time;
  // The user's own templates, each taken before the one in template_dir; empty: none.
  std::filesystem::path user_template_dir;
  OutputFormats formats;
};

// Builds the ASM document of the record just read; throws AsmRefusal where the schema cannot
// express it.
using AsmBuilder = std::function<nlohmann::ordered_json(const AsmSource&)>;

// The folder of the running executable, with its trailing separator.
std::string GetExeDirectory();
// ConversionSettings from the environment: SOURCE_DATE_EPOCH fixes the conversion time; the
// templates come from `template_dir` alone when given, else from the user's own folder file
// by file over the installed ones.
ConversionSettings SettingsFromEnvironment(std::optional<std::filesystem::path> template_dir);

// Where one conversion reads and writes.
struct ConversionPaths {
  std::string export_path;
  std::string export_file_name;  // the name alone, as the report's B1 shows it
  std::string template_path;     // the template of the variant being converted
  std::string output_path;       // the report, once asked
  std::string asm_path;          // the ASM document, when one is asked
};

// One conversion, run through the registry: the file read once, the variant picked, the asked
// outputs produced. The window, the command, the service and the tests each drive it through
// their Host.
class Conversion {
 public:
  Conversion(Host& host, ConversionSettings settings);

  // A chosen export file: sets its path and name.
  void SetExportPath(const std::string& path);
  // The name the report and the document show when it is not the path's own: a service stores
  // an upload under a name of its own.
  void SetExportFileName(std::string name) { paths_.export_file_name = std::move(name); }
  // Where the ASM document goes when one is asked.
  void SetAsmPath(std::string path) { paths_.asm_path = std::move(path); }

  // "Convert": the data type from the extension; the output path asked where the window asks
  // it before reading; the file read once and its variant picked; the variant's template
  // checked; the ASM document and the report produced as asked.
  ConversionStatus OnConvert();

  const ConversionPaths& Paths() const { return paths_; }
  const ReportSummary& Summary() const { return summary_; }
  // Every file the conversion wrote, in the order written.
  const std::vector<std::string>& WrittenFiles() const { return written_files_; }

 private:
  bool WantsReport() const { return settings_.formats.report; }
  bool WantsAsm() const { return settings_.formats.asm_document; }

  // The record of the file's variant, read once; warnings go to the user as they are found.
  ReadExport ReadRecord(const std::string& bytes, const DataType& type);
  // True without a look when no report is asked: only reports need templates.
  bool CheckTemplate(std::string_view file_name);
  // The output path of the report; false when the report is not to be written (none is asked,
  // or the user cancelled).
  bool AskOutputPath();
  // Where an ASM document is asked: builds it from the record just read and writes it
  // atomically. A refusal or a failure to write is told to the user and fails the conversion,
  // but the report is still produced. `export_bytes` name the document's identifiers.
  void OfferAsm(std::string_view export_bytes, const AsmBuilder& build);

  // Workbook life: the template loaded, status "Transforming...Please wait..."; laid out; then
  // saved atomically to the output path, status "Completed.", shown to the user.
  bool OpenWorkbook();
  void LayOut(const ReportVariant& variant, const VariantRecord& record);
  bool FinishWorkbook();

  void Warn(const std::string& text);
  // A failure the user must read: shown through the host; the conversion ends without output.
  void Fail(const std::string& message);
  // Ends a run: the workbook released, a failure shown in the status line.
  ConversionStatus EndRun();

  Host& host_;
  ConversionSettings settings_;
  ConversionPaths paths_;
  ReportSummary summary_;
  std::optional<workbook::Workbook> workbook_;
  ConversionStatus status_ = ConversionStatus::kFailed;
  bool asm_written_ = false;
  std::vector<std::string> written_files_;
};

}  // namespace korvanta
