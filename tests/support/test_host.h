// A Host for in-process tests: records what the conversion tells the user and answers its
// questions from a script.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "driver/conversion.h"
#include "driver/host.h"

namespace korvanta::test {

class RecordingHost : public Host {
 public:
  // Script: the path the save dialog returns (nothing: the user cancels), whether the dialog
  // confirmed replacing that name, and the answer to a later overwrite question.
  std::optional<std::string> output_path;
  bool overwrite_confirmed = true;
  bool overwrite_answer = false;

  // Record.
  int output_requests = 0;
  std::vector<std::string> overwrite_questions;
  std::vector<std::string> messages;
  std::vector<std::string> warnings;
  std::vector<std::string> statuses;
  std::vector<std::string> shown_workbooks;

  std::optional<OutputChoice> ChooseOutputPath() override;
  bool ConfirmOverwrite(const std::string& path) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void ShowWorkbook(const std::string& path) override;
};

// The fixed conversion time of the tests: B3 reads "2023.11.14  22:13:20".
inline constexpr std::time_t kFixedTime = 1700000000;

struct ConversionRun {
  ConversionStatus status = ConversionStatus::kFailed;
  ReportSummary summary;
  std::filesystem::path output;  // the path the report was asked to go to
};

// Converts `export_file` to `output` (".xlsx" appended by the driver's rule where missing)
// with the templates of `template_dir` and the fixed time; `host` records the run.
ConversionRun ConvertFile(const std::filesystem::path& export_file,
                          const std::filesystem::path& output, RecordingHost& host,
                          const std::filesystem::path& template_dir);

}  // namespace korvanta::test
