// One input converted into its report, with what the run needs to know about it afterwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/report_opener.h"
#include "driver/conversion.h"

namespace korvanta::cli {

struct JobResult {
  std::string input;                  // as given, or found in a folder
  std::optional<std::string> output;  // the report, once written
  std::vector<std::string> outputs;   // every file written: the report, the ASM document
  bool converted = false;
  // Type, variant, counts, warnings (the command's own included) and, when not converted,
  // the reason.
  ReportSummary summary;
  long long milliseconds = 0;
};

// A result for an input that is not converted at all; the reason is told on the console.
JobResult RefusedInput(const std::string& input, const std::string& reason, Console& console);

// Converts `input` into the report `output` (".xlsx" appended where the name lacks it) and, as
// `settings` ask, its ASM document beside it (".json"). Messages go to `console`; `opener`,
// when given, opens the finished report.
JobResult ConvertInput(const std::string& input, const std::string& output,
                       const ConversionSettings& settings, const ConvertOptions& options,
                       Console& console, ReportOpener* opener);

}  // namespace korvanta::cli
