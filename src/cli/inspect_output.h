// An inspection as the user reads it: aligned text, or one JSON document.
#pragma once

#include <string>

#include "cli/summary_json.h"
#include "inspect/inspection.h"

namespace korvanta::cli {

// {"input", "file", "data_type", "variant", "template", "method", "sample_name", "counts",
// "settings", "records", "first_records", "warnings", "error"}; nothing known is null.
Json InspectionJson(const FileInspection& inspection);

std::string InspectionText(const FileInspection& inspection);

}  // namespace korvanta::cli
