// The command line as the conversion's user: the output path comes from the options, every
// message goes to the error stream prefixed with the input's name.
#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "driver/host.h"

namespace korvanta::cli {

class CliHost : public Host {
 public:
  CliHost(std::string input, std::string output, bool force, Verbosity verbosity,
          std::ostream& err);

  std::optional<OutputChoice> ChooseOutputPath() override;
  bool ConfirmOverwrite(const std::string& path) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void ShowWorkbook(const std::string& path) override;

  // Prints a line about this input: "<input>: text".
  void Say(const std::string& text);

 private:
  std::string input_;
  std::string output_;
  bool force_;
  Verbosity verbosity_;
  std::ostream& err_;
};

}  // namespace korvanta::cli
