#include "serve/serve_host.h"

namespace korvanta::serve {

ServeHost::ServeHost(std::string output_path) : output_path_(std::move(output_path)) {}

std::optional<OutputChoice> ServeHost::ChooseOutputPath() {
  // The folder is the request's own and empty: nothing of anyone's can be replaced.
  return OutputChoice{output_path_, true};
}

bool ServeHost::ConfirmOverwrite(const std::string&) { return true; }

void ServeHost::ShowMessage(const std::string& text) { messages_.push_back(text); }

// The conversion keeps its warnings in its summary, which the answer carries.
void ServeHost::ShowWarning(const std::string&) {}

// A request has no status line and no spreadsheet application to show a report in.
void ServeHost::SetStatus(const std::string&) {}
void ServeHost::ShowWorkbook(const std::string&) {}

}  // namespace korvanta::serve
