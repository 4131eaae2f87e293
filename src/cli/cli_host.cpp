#include "cli/cli_host.h"

namespace korvanta::cli {

CliHost::CliHost(std::string input, std::string output, bool force, Verbosity verbosity,
                 Console& console, ReportOpener* opener)
    : input_(std::move(input)),
      output_(std::move(output)),
      force_(force),
      verbosity_(verbosity),
      console_(console),
      opener_(opener) {}

std::optional<OutputChoice> CliHost::ChooseOutputPath() {
  // --force allows replacing the report in advance, as the save dialog's question would.
  return OutputChoice{output_, force_};
}

bool CliHost::ConfirmOverwrite(const std::string& path) {
  if (force_) return true;
  refusal_ = path + " exists; use --force to replace it";
  Say(refusal_);
  return false;
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
  if (opener_ == nullptr) return;
  if (const auto problem = opener_->Open(path)) {
    Warn("the report could not be opened: " + *problem);
  }
}

void CliHost::ShowDocument(const std::string& path) {
  if (verbosity_ != Verbosity::kQuiet) Say("ASM document written to " + path);
}

void CliHost::Say(const std::string& text) { console_.Line(input_ + ": " + text); }

void CliHost::Warn(const std::string& text) {
  own_warnings_.push_back(text);
  ShowWarning(text);
}

}  // namespace korvanta::cli
