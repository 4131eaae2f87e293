// One conversion from export file to report: the conversion state, the driver's steps and
// the operations a report writer uses on the open workbook.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

struct ConversionSettings {
  // The template folder: the one the user named, or the installed templates.
  std::filesystem::path template_dir;
  // Conversion time written into reports; the current time when empty.
  std::optional<std::time_t> fixed_time;
  // The user's own templates, each taken before the one in template_dir; empty: none.
  std::filesystem::path user_template_dir;
};

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

  // A chosen export file: sets m_exportPath and m_exportFileName.
  void SetExportPath(const std::string& path);

  // "Convert": the type from the extension, the template checked, the writer run.
  ConversionStatus OnConvert();
  ConversionStatus RunReportWriter(const std::string& extension);

  bool AskOutputPath();
  bool CheckTemplate();
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
};

}  // namespace korvanta
