// The command line of korvanta, parsed into what to do.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvanta::cli {

// Bad usage: the command exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Verbosity { kQuiet, kNormal, kVerbose };

struct ConvertOptions {
  std::vector<std::string> inputs;          // export files or folders of them
  std::optional<std::string> output;        // -o: the report of a single input
  std::optional<std::string> output_dir;    // -d: DIR/<input stem>.xlsx
  std::optional<std::string> template_dir;  // -t
  bool force = false;
  Verbosity verbosity = Verbosity::kNormal;
};

enum class Command { kConvert, kHelp, kVersion };

struct Arguments {
  Command command = Command::kHelp;
  ConvertOptions convert;
};

// `args` without the program name. Throws UsageError.
Arguments ParseArguments(std::span<const std::string> args);

std::string UsageText();

}  // namespace korvanta::cli
