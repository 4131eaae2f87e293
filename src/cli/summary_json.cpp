#include "cli/summary_json.h"

#include <algorithm>

namespace korvanta::cli {
namespace {

Json CountOrNull(const std::optional<int>& count) { return count ? Json(*count) : Json(nullptr); }

}  // namespace

Json CountsJson(const ReportSummary& summary) {
  Json counts = Json::object();
  counts["samples"] = CountOrNull(summary.samples);
  counts["standards"] = CountOrNull(summary.standards);
  counts["wavelengths"] = CountOrNull(summary.wavelengths);
  counts["points"] = CountOrNull(summary.points);
  return counts;
}

Json TextOrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); }

Json ConvertSummaryJson(const std::vector<JobResult>& results) {
  Json inputs = Json::array();
  for (const JobResult& result : results) {
    Json entry = Json::object();
    entry["input"] = result.input;
    entry["output"] = result.output ? Json(*result.output) : Json(nullptr);
    entry["outputs"] = result.outputs;
    entry["status"] = result.converted ? "converted" : "failed";
    entry["data_type"] = TextOrNull(result.summary.data_type);
    entry["variant"] = TextOrNull(result.summary.variant);
    entry["counts"] = CountsJson(result.summary);
    entry["warnings"] = result.summary.warnings;
    entry["error"] = TextOrNull(result.summary.error);
    entry["milliseconds"] = result.milliseconds;
    inputs.push_back(std::move(entry));
  }
  const auto converted = std::count_if(results.begin(), results.end(),
                                       [](const JobResult& result) { return result.converted; });
  Json document = Json::object();
  document["converted"] = converted;
  document["failed"] = static_cast<std::ptrdiff_t>(results.size()) - converted;
  document["inputs"] = std::move(inputs);
  return document;
}

}  // namespace korvanta::cli
