// The command line as the conversion's user: the output path comes from the options, every
// message goes to the console prefixed with the input's name.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/report_opener.h"
#include "driver/host.h"

namespace korvanta::cli {

class CliHost : public Host {
 public:
  // `opener`: hands each finished report to the spreadsheet application (--open); none: the
  // report is only named.
  CliHost(std::string input, std::string output, bool force, Verbosity verbosity, Console& console,
          ReportOpener* opener = nullptr);

  std::optional<OutputChoice> ChooseOutputPath() override;
  bool ConfirmOverwrite(const std::string& path) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void ShowWorkbook(const std::string& path) override;
  void ShowDocument(const std::string& path) override;

  // Prints a line about this input: "<input>: text".
  void Say(const std::string& text);
  // A warning of the command's own (not of the conversion), shown and kept.
  void Warn(const std::string& text);

  // Why the conversion stopped when it stopped without a failure of its own (an existing
  // report that may not be replaced); empty otherwise.
  const std::string& refusal() const { return refusal_; }
  const std::vector<std::string>& own_warnings() const { return own_warnings_; }

 private:
  std::string input_;
  std::string output_;
  bool force_;
  Verbosity verbosity_;
  Console& console_;
  ReportOpener* opener_;
  std::string refusal_;
  std::vector<std::string> own_warnings_;
};

}  // namespace korvanta::cli
