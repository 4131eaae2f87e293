#include "cli/cli_host.h"

namespace korvanta::cli {

CliHost::CliHost(std::string input, std::string output, bool force, Verbosity verbosity,
                 std::ostream& err)
    : input_(std::move(input)),
      output_(std::move(output)),
      force_(force),
      verbosity_(verbosity),
      err_(err) {}

std::optional<OutputChoice> CliHost::ChooseOutputPath() {
  // --force allows replacing the report in advance, as the save dialog's question would.
  return OutputChoice{output_, force_};
}

bool CliHost::ConfirmOverwrite(const std::string& path) {
  if (!force_) Say(path + " exists; use --force to replace it");
  return force_;
}

void CliHost::ShowMessage(const std::string& text) { Say(text); }

void CliHost::ShowWarning(const std::string& text) {
  if (verbosity_ != Verbosity::kQuiet) Say("warning: " + text);
}

void CliHost::SetStatus(const std::string& text) {
  if (verbosity_ == Verbosity::kVerbose) Say(text);
}

void CliHost::ShowWorkbook(const std::string& path) {
  if (verbosity_ != Verbosity::kQuiet) Say("report written to " + path);
}

void CliHost::Say(const std::string& text) { err_ << input_ << ": " << text << '\n' << std::flush; }

}  // namespace korvanta::cli
