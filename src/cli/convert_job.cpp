#include "cli/convert_job.h"

#include <chrono>

#include "cli/cli_host.h"
#include "driver/path_rules.h"

namespace korvanta::cli {
namespace {

// "Photometry, 2 samples, 2 wavelengths": what the report holds, for --verbose.
std::string ContentLine(const ReportSummary& summary) {
  std::string line = summary.variant.empty() ? summary.data_type : summary.variant;
  const auto add = [&line](const char* name, const std::optional<int>& count) {
    if (count) line += ", " + std::to_string(*count) + " " + name;
  };
  add("samples", summary.samples);
  add("standards", summary.standards);
  add("wavelengths", summary.wavelengths);
  add("points", summary.points);
  return line;
}

}  // namespace

JobResult RefusedInput(const std::string& input, const std::string& reason, Console& console) {
  console.Line(input + ": " + reason);
  JobResult result;
  result.input = input;
  result.summary.error = reason;
  return result;
}

JobResult ConvertInput(const std::string& input, const std::string& output,
                       const ConversionSettings& settings, const ConvertOptions& options,
                       Console& console, ReportOpener* opener) {
  const auto start = std::chrono::steady_clock::now();
  CliHost host(input, output, options.force, options.verbosity, console, opener);
  Conversion conversion(host, settings);
  conversion.SetExportPath(input);
  conversion.SetAsmPath(AsmDocumentPath(output));
  const ConversionStatus status = conversion.OnConvert();

  JobResult result;
  result.input = input;
  result.converted = status == ConversionStatus::kCompleted;
  result.summary = conversion.Summary();
  result.outputs = conversion.WrittenFiles();
  for (const std::string& written : result.outputs) {
    if (written == conversion.Paths().output_path) result.output = written;
  }
  if (result.converted) {
    if (options.verbosity == Verbosity::kVerbose) host.Say(ContentLine(result.summary));
  } else if (result.summary.error.empty()) {
    result.summary.error = host.refusal();
  }
  for (const std::string& warning : host.own_warnings()) result.summary.warnings.push_back(warning);
  result.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
  return result;
}

}  // namespace korvanta::cli
