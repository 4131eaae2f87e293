// The reports the inputs of one run write: two inputs must not write the same report, since the
// later would replace the earlier. The command line and the window's batch both check here.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace korvanta {

class ReportClaims {
 public:
  // Records that `report` is written for `input`. Gives the input that claimed the same file
  // before (another spelling of its path counts as the same file), or nullopt when none did;
  // a refused claim is not recorded.
  std::optional<std::string> Claim(const std::string& report, const std::string& input);

 private:
  std::map<std::string, std::string> claimed_;  // resolved report path -> its input
};

}  // namespace korvanta
