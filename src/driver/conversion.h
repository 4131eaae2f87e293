// One conversion from export file to report: the conversion state, the driver's steps and
// the operations a report writer uses on the open workbook.
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
#include "reports/export_file.h"
#include "workbook/cell_address.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"

namespace korvanta {

using workbook::Col;

enum class ConversionStatus { kCompleted, kCancelled, kFailed };

// What a finished (or failed) conversion did, for summaries and --json.
struct ReportSummary {
  std::string data_type;  // "Protein"
  std::string variant;    // "Protein UV"
  std::optional<int> samples, standards, wavelengths, points;
  std::vector<std::string> warnings;
  std::string error;
};

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

// Builds the ASM document of the file just read; throws AsmRefusal where the schema cannot
// express it.
using AsmBuilder = std::function<nlohmann::ordered_json(const AsmSource&)>;

// The folder of the running executable, with its trailing separator.
std::string GetExeDirectory();
// ConversionSettings from the environment: SOURCE_DATE_EPOCH fixes the conversion time; the
// templates come from `template_dir` alone when given, else from the user's own folder file
// by file over the installed ones.
ConversionSettings SettingsFromEnvironment(std::optional<std::filesystem::path> template_dir);

class Conversion {
 public:
  Conversion(Host& host, ConversionSettings settings);

  // Conversion state.
  std::string m_exportPath;
  std::string m_exportFileName;
  std::string m_templatePath;
  std::string m_outputPath;
  // Where the ASM document goes, when one is asked.
  std::string m_asmPath;

  // A chosen export file: sets m_exportPath and m_exportFileName.
  void SetExportPath(const std::string& path);

  // "Convert": the type from the extension, the template checked, the writer run.
  ConversionStatus OnConvert();
  ConversionStatus RunReportWriter(const std::string& extension);

  bool WantsReport() const { return settings_.formats.report; }
  bool WantsAsm() const { return settings_.formats.asm_document; }

  // The output path of the report; false when the report is not to be written (none is asked,
  // or the user cancelled), and the writer then ends.
  bool AskOutputPath();
  // True without a look when no report is asked: only reports need templates.
  bool CheckTemplate();

  // Where an ASM document is asked: builds it from the record the writer has just read and
  // writes it atomically to m_asmPath. A refusal or a failure to write is told to the user and
  // fails the conversion, but the writer goes on with the report.
  void OfferAsm(const AsmBuilder& build);
  // Every file the conversion wrote, in the order written.
  const std::vector<std::string>& WrittenFiles() const { return written_files_; }
  std::string TemplatePath(std::string_view file_name) const;

  // The export file, read from its start; warnings go to the user through the host.
  ExportFile OpenExportFile();

  // Workbook lifecycle: the template loaded, status "Transforming...Please wait...";
  // then saved atomically to m_outputPath, status "Completed.", shown to the user.
  bool OpenWorkbook();
  bool FinishWorkbook();

  // Cell writing and block operations on the active sheet of the open workbook.
  void PutCellValue(std::string_view address, const workbook::CellValue& value);
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

  // "%Y.%m.%d  %H:%M:%S" of the conversion time.
  std::string ConversionTimeText() const;

  void Warn(const std::string& text);
  // A failure the user must read: shown through the host; the conversion ends without output.
  void Fail(const std::string& message);
  ReportSummary& Summary() { return summary_; }
  Host& host() { return host_; }
  workbook::Worksheet& Sheet();

 private:
  // Ends a run: the workbook and the file's bytes released, a failure shown in the status line.
  ConversionStatus EndRun();

  Host& host_;
  ConversionSettings settings_;
  ReportSummary summary_;
  std::optional<std::string> export_bytes_;
  std::optional<workbook::Workbook> m_workbook;
  ConversionStatus status_ = ConversionStatus::kFailed;
  bool asm_written_ = false;
  std::vector<std::string> written_files_;
};

}  // namespace korvanta
