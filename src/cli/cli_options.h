// The command line of korvanta, parsed into what to do.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/conversion.h"
#include "serve/serve_options.h"

namespace korvanta::cli {

// Bad usage: the command exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Verbosity { kQuiet, kNormal, kVerbose };

// The most conversions that run at once; more threads than this only cost memory.
inline constexpr int kMaxJobs = 256;

struct ConvertOptions {
  std::vector<std::string> inputs;          // export files or folders of them
  std::optional<std::string> output;        // -o: the report of a single input
  std::optional<std::string> output_dir;    // -d: DIR/<input stem>.xlsx
  std::optional<std::string> template_dir;  // -t
  bool recursive = false;                   // -r: folders with their subfolders
  bool force = false;
  std::optional<int> jobs;  // -j: conversions at once; the number of cores when not given
  bool open = false;        // --open: each finished report handed to the spreadsheet program
  bool json = false;        // --json: a summary document on stdout
  OutputFormats formats;    // --format: the report, the ASM document or both
  Verbosity verbosity = Verbosity::kNormal;
};

struct InspectOptions {
  std::string input;
  bool json = false;
};

struct TemplatesOptions {
  bool copy = false;  // --copy: the installed templates copied into the user's folder
};

enum class Command { kConvert, kInspect, kTemplates, kServe, kHelp, kVersion };

struct Arguments {
  Command command = Command::kHelp;
  ConvertOptions convert;
  InspectOptions inspect;
  TemplatesOptions templates;
  serve::ServeOptions serve;
};

// `args` without the program name. Throws UsageError.
Arguments ParseArguments(std::span<const std::string> args);

}  // namespace korvanta::cli
