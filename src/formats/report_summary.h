// What a conversion of an export file found: its data type and report variant, the counts of
// its record, the reader's warnings and the error that stopped it. Summaries, --json and
// `korvanta inspect` show it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvanta {

struct ReportSummary {
  std::string data_type;  // "Protein"
  std::string variant;    // "Protein UV"
  std::optional<int> samples, standards, wavelengths, points;
  std::vector<std::string> warnings;
  std::string error;
};

}  // namespace korvanta
