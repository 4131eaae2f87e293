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
#include "driver/batch_plan.h"
#include "driver/conversion.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

// How long the run waits at its end for the openers of --open to report a failure.
constexpr std::chrono::milliseconds kOpenerPatience(3000);

// Every input is planned before any conversion starts, so that the outcome does not hang on
// which conversion finishes first.
std::vector<BatchEntry> Plan(const std::vector<Input>& inputs, const ConvertOptions& options) {
  BatchPlan batch({options.output, options.output_dir, options.formats});
  std::vector<BatchEntry> plan;
  for (const Input& input : inputs) {
    plan.push_back(input.error.empty() ? batch.Add(input.path)
                                       : BatchEntry{input.path, {}, input.error});
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

  const std::vector<BatchEntry> plan = Plan(inputs, options);
  std::vector<JobResult> results(plan.size());
  ReportOpener opener;
  const bool show_progress = options.verbosity != Verbosity::kQuiet;
  Progress progress(console, plan.size());
  const unsigned jobs = options.jobs ? static_cast<unsigned>(*options.jobs) : DefaultJobCount();
  RunJobs(plan.size(), jobs, [&](std::size_t i) {
    const BatchEntry& planned = plan[i];
    if (show_progress) progress.Started(FileName(planned.input));
    results[i] = planned.refusal.empty()
                     ? ConvertInput(planned.input, planned.output, settings, options, console,
                                    options.open ? &opener : nullptr)
                     : RefusedInput(planned.input, planned.refusal, console);
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
