// The JSON forms of a conversion's summary, shared by `convert --json` and `inspect --json`.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/convert_job.h"
#include "driver/conversion.h"

namespace korvanta::cli {

// Keys stay in the order they are written, so that the documents read top down.
using Json = nlohmann::ordered_json;

// {"samples": 12, "standards": null, "wavelengths": 4, "points": null}: null where the
// report has no such table.
Json CountsJson(const ReportSummary& summary);

// A text, or null when it is empty.
Json TextOrNull(const std::string& text);

// {"converted": N, "failed": M, "inputs": [{"input", "output", "outputs", "status", "data_type",
// "variant", "counts", "warnings", "error", "milliseconds"}, ...]} in the order of the inputs.
Json ConvertSummaryJson(const std::vector<JobResult>& results);

}  // namespace korvanta::cli
