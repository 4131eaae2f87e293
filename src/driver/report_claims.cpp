#include "driver/report_claims.h"

#include <filesystem>
#include <system_error>

namespace korvanta {
namespace {

namespace fs = std::filesystem;

// The report's path with ".", ".." and links of existing folders resolved, so that two
// spellings of one file meet; the path as given when it cannot be resolved.
std::string ReportKey(const std::string& report) {
  std::error_code ignored;
  const fs::path resolved = fs::weakly_canonical(fs::absolute(report), ignored);
  return resolved.empty() ? report : resolved.string();
}

}  // namespace

std::optional<std::string> ReportClaims::Claim(const std::string& report,
                                               const std::string& input) {
  const auto [earlier, fresh] = claimed_.emplace(ReportKey(report), input);
  if (fresh) return std::nullopt;
  return earlier->second;
}

}  // namespace korvanta
