// What an export file holds, read through the same registry rows as a conversion, so
// that inspecting a file and converting it never disagree.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/report_summary.h"

namespace korvanta {

// A named value as the report shows it; nothing when the file does not give it (it ended
// before, or its code is unknown).
struct InspectedField {
  std::string name;
  std::optional<std::string> value;
};

using InspectedRecord = std::vector<InspectedField>;

// The first records shown of a file's table.
inline constexpr std::size_t kInspectedRecords = 5;

struct FileInspection {
  std::string input;      // as given
  std::string file_name;  // the name alone, as the report's B1 shows it
  // Type, variant, counts, the reader's warnings and the error exactly as a conversion of the
  // file has them.
  ReportSummary summary;
  std::string template_name;  // the template the report is laid out by
  std::optional<std::string> method;
  std::optional<std::string> sample_name;
  std::vector<InspectedField> settings;  // the report's header, in the file's order
  std::string records_name;              // "samples" or "points"
  std::vector<InspectedRecord> first_records;
  // Codes the report does not know, each with the line it stands on: their cells keep what the
  // template holds.
  std::vector<std::string> code_warnings;

  bool ok() const { return summary.error.empty(); }
};

}  // namespace korvanta
