#include "cli/convert_command.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/convert_job.h"
#include "cli/input_list.h"
#include "cli/job_pool.h"
#include "cli/progress.h"
#include "cli/report_opener.h"
#include "cli/summary_json.h"
#include "driver/conversion.h"
#include "driver/path_rules.h"
#include "driver/report_claims.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

// How long the run waits at its end for the openers of --open to report a failure.
constexpr std::chrono::milliseconds kOpenerPatience(3000);

std::string OutputPathFor(const std::string& input, const ConvertOptions& options) {
  if (options.output) return *options.output;
  const fs::path stem_xlsx = fs::path(input).stem().string() + ".xlsx";
  if (options.output_dir) return (fs::path(*options.output_dir) / stem_xlsx).string();
  return (fs::path(input).parent_path() / stem_xlsx).string();
}

// An input to convert, or the reason it is not converted, decided before any conversion
// starts, so that the outcome does not hang on which conversion finishes first.
struct PlannedInput {
  std::string path;
  std::string output;
  std::string refusal;
};

std::vector<PlannedInput> Plan(const std::vector<Input>& inputs, const ConvertOptions& options) {
  std::vector<PlannedInput> plan;
  ReportClaims claims;
  for (const Input& input : inputs) {
    PlannedInput planned{input.path, {}, input.error};
    if (planned.refusal.empty()) {
      planned.output = OutputPathFor(input.path, options);
      // The ASM document's name follows from the report's, so one claim covers both.
      const std::string report = WithXlsxExtension(planned.output);
      if (const auto earlier = claims.Claim(report, input.path)) {
        planned.refusal = options.formats.report
                              ? report + " is the report of "
                              : AsmDocumentPath(planned.output) + " is the ASM document of ";
        planned.refusal += *earlier + " in this run";
      }
    }
    plan.push_back(std::move(planned));
  }
  return plan;
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

// Failures of the openers that show only after a while, added to their inputs' warnings.
void AddOpenerProblems(ReportOpener& opener, std::vector<JobResult>& results, Console& console,
                       Verbosity verbosity) {
  for (const ReportOpener::Problem& problem : opener.Settle(kOpenerPatience)) {
    const auto owner = std::find_if(results.begin(), results.end(), [&](const JobResult& r) {
      return r.output && *r.output == problem.report;
    });
    if (owner == results.end()) continue;
    const std::string warning = "the report could not be opened: " + problem.text;
    owner->summary.warnings.push_back(warning);
    if (verbosity != Verbosity::kQuiet) console.Line(owner->input + ": warning: " + warning);
  }
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& out, Console& console) {
  const std::vector<Input> inputs = ExpandInputs(options.inputs, options.recursive);
  if (options.output && inputs.size() > 1) {
    throw UsageError("--output names the report of a single input; use --output-dir");
  }
  if (options.output_dir) {
    std::error_code ignored;  // a folder that cannot be made fails each save, with the reason
    fs::create_directories(*options.output_dir, ignored);
  }
  ConversionSettings settings = SettingsFromEnvironment(
      options.template_dir ? std::optional<fs::path>(*options.template_dir) : std::nullopt);
  settings.formats = options.formats;

  const std::vector<PlannedInput> plan = Plan(inputs, options);
  std::vector<JobResult> results(plan.size());
  ReportOpener opener;
  const bool show_progress = options.verbosity != Verbosity::kQuiet;
  Progress progress(console, plan.size());
  const unsigned jobs = options.jobs ? static_cast<unsigned>(*options.jobs) : DefaultJobCount();
  RunJobs(plan.size(), jobs, [&](std::size_t i) {
    const PlannedInput& planned = plan[i];
    if (show_progress) progress.Started(FileName(planned.path));
    results[i] = planned.refusal.empty()
                     ? ConvertInput(planned.path, planned.output, settings, options, console,
                                    options.open ? &opener : nullptr)
                     : RefusedInput(planned.path, planned.refusal, console);
    if (show_progress) progress.Finished();
  });
  if (options.open) AddOpenerProblems(opener, results, console, options.verbosity);
  console.ClearStatus();

  const auto converted = std::count_if(results.begin(), results.end(),
                                       [](const JobResult& result) { return result.converted; });
  const auto failed = static_cast<std::ptrdiff_t>(results.size()) - converted;
  if (options.verbosity != Verbosity::kQuiet) {
    console.Line(std::to_string(converted) + " converted, " + std::to_string(failed) + " failed");
  }
  if (options.json) {
    out << ConvertSummaryJson(results).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace korvanta::cli
