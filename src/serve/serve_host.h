// The service as the conversion's user: no one to ask, so the output path is the one the
// server chose in the request's private folder, replacing is allowed, and every message is
// kept for the answer to the client.
#pragma once

#include <string>
#include <vector>

#include "driver/host.h"

namespace korvanta::serve {

class ServeHost : public Host {
 public:
  explicit ServeHost(std::string output_path);

  std::optional<OutputChoice> ChooseOutputPath() override;
  bool ConfirmOverwrite(const std::string& path) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetStatus(const std::string& text) override;
  void ShowWorkbook(const std::string& path) override;

  // Failures and notices in the order told.
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::string output_path_;
  std::vector<std::string> messages_;
};

}  // namespace korvanta::serve
