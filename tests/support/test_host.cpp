#include "support/test_host.h"

namespace korvanta::test {

std::optional<OutputChoice> RecordingHost::ChooseOutputPath() {
  ++output_requests;
  if (!output_path) return std::nullopt;
  return OutputChoice{*output_path, overwrite_confirmed};
}

bool RecordingHost::ConfirmOverwrite(const std::string& path) {
  overwrite_questions.push_back(path);
  return overwrite_answer;
}

void RecordingHost::ShowMessage(const std::string& text) { messages.push_back(text); }
void RecordingHost::ShowWarning(const std::string& text) { warnings.push_back(text); }
void RecordingHost::SetStatus(const std::string& text) { statuses.push_back(text); }
void RecordingHost::ShowWorkbook(const std::string& path) { shown_workbooks.push_back(path); }

ConversionRun ConvertFile(const std::filesystem::path& export_file,
                          const std::filesystem::path& output, RecordingHost& host,
                          const std::filesystem::path& template_dir) {
  host.output_path = output.string();
  ConversionSettings settings;
  settings.template_dir = template_dir;
  settings.fixed_time = kFixedTime;
  Conversion conversion(host, settings);
  conversion.SetExportPath(export_file.string());
  ConversionRun run;
  run.status = conversion.OnConvert();
  run.summary = conversion.Summary();
  run.output = conversion.Paths().output_path;
  return run;
}

}  // namespace korvanta::test
