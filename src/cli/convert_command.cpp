#include "cli/convert_command.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_host.h"
#include "driver/conversion.h"
#include "driver/data_types.h"
#include "driver/path_rules.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

struct Input {
  std::string path;
  std::string error;  // set when the input cannot be converted at all
};

bool IsExportFileName(const fs::path& path) {
  const auto extension = LowerCaseExtension(path.filename().string());
  return extension && FindDataTypeByExtension(*extension) != nullptr;
}

// Files are taken as given (the driver judges them); a folder gives its export files.
std::vector<Input> ExpandInputs(const std::vector<std::string>& given) {
  std::vector<Input> inputs;
  for (const auto& path : given) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      inputs.push_back({path, {}});
      continue;
    }
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(path, error)) {
      std::error_code ignored;
      if (entry.is_regular_file(ignored) && IsExportFileName(entry.path())) {
        found.push_back(entry.path().string());
      }
    }
    std::sort(found.begin(), found.end());
    if (error) {
      inputs.push_back({path, "Can not read folder: " + path});
    } else if (found.empty()) {
      inputs.push_back({path, "no export files in this folder"});
    }
    for (auto& file : found) inputs.push_back({std::move(file), {}});
  }
  return inputs;
}

std::string OutputPathFor(const std::string& input, const ConvertOptions& options) {
  if (options.output) return *options.output;
  const fs::path stem_xlsx = fs::path(input).stem().string() + ".xlsx";
  if (options.output_dir) return (fs::path(*options.output_dir) / stem_xlsx).string();
  return (fs::path(input).parent_path() / stem_xlsx).string();
}

// Two inputs of one run must not write the same report: the later would replace the earlier.
std::string ReportKey(const std::string& output) {
  std::error_code ignored;
  const fs::path absolute = fs::weakly_canonical(fs::absolute(WithXlsxExtension(output)), ignored);
  return absolute.empty() ? WithXlsxExtension(output) : absolute.string();
}

void PrintSummary(CliHost& host, const ReportSummary& summary) {
  std::string line = summary.variant.empty() ? summary.data_type : summary.variant;
  const auto add = [&line](const char* name, const std::optional<int>& count) {
    if (count) line += ", " + std::to_string(*count) + " " + name;
  };
  add("samples", summary.samples);
  add("standards", summary.standards);
  add("wavelengths", summary.wavelengths);
  add("points", summary.points);
  host.Say(line);
}

bool ConvertOne(const std::string& input, const std::string& output,
                const ConversionSettings& settings, const ConvertOptions& options,
                std::ostream& err) {
  CliHost host(input, output, options.force, options.verbosity, err);
  Conversion conversion(host, settings);
  conversion.SetExportPath(input);
  const ConversionStatus status = conversion.OnConvert();
  if (status == ConversionStatus::kCompleted && options.verbosity == Verbosity::kVerbose) {
    PrintSummary(host, conversion.Summary());
  }
  return status == ConversionStatus::kCompleted;
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& err) {
  const std::vector<Input> inputs = ExpandInputs(options.inputs);
  if (options.output && inputs.size() > 1) {
    throw UsageError("--output names the report of a single input; use --output-dir");
  }
  if (options.output_dir) {
    std::error_code ignored;
    fs::create_directories(*options.output_dir, ignored);
  }
  const ConversionSettings settings = SettingsFromEnvironment(
      options.template_dir ? fs::path(*options.template_dir) : DefaultTemplateDirectory());

  int failures = 0;
  std::map<std::string, std::string> written;  // report -> the input it was written for
  for (const Input& input : inputs) {
    if (!input.error.empty()) {
      err << input.path << ": " << input.error << '\n';
      ++failures;
      continue;
    }
    const std::string output = OutputPathFor(input.path, options);
    const std::string key = ReportKey(output);
    if (const auto earlier = written.find(key); earlier != written.end()) {
      err << input.path << ": " << WithXlsxExtension(output) << " was already written for "
          << earlier->second << " in this run\n";
      ++failures;
      continue;
    }
    if (ConvertOne(input.path, output, settings, options, err)) {
      written.emplace(key, input.path);
    } else {
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace korvanta::cli
