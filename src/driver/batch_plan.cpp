#include "driver/batch_plan.h"

#include <filesystem>

#include "driver/path_rules.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

std::string ReportPathFor(const std::string& input, const BatchOutputs& outputs) {
  if (outputs.report) return *outputs.report;
  const fs::path stem_xlsx = fs::path(input).stem().string() + ".xlsx";
  if (outputs.folder) return (fs::path(*outputs.folder) / stem_xlsx).string();
  return (fs::path(input).parent_path() / stem_xlsx).string();
}

}  // namespace

BatchEntry BatchPlan::Add(const std::string& input) {
  BatchEntry entry{input, ReportPathFor(input, outputs_), {}};
  // The ASM document's name follows from the report's, so one claim covers both.
  const std::string report = WithXlsxExtension(entry.output);
  if (const auto earlier = claims_.Claim(report, input)) {
    entry.refusal = outputs_.formats.report
                        ? report + " is the report of "
                        : AsmDocumentPath(entry.output) + " is the ASM document of ";
    entry.refusal += *earlier + " in this run";
  }
  return entry;
}

}  // namespace korvanta
