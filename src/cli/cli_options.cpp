#include "cli/cli_options.h"

#include <string_view>

namespace korvanta::cli {
namespace {

// "--output=PATH" or "--output PATH" / "-o PATH": the value of an option that takes one.
std::string TakeValue(std::span<const std::string> args, std::size_t& i, std::string_view option,
                      std::optional<std::string_view> inline_value) {
  if (inline_value) return std::string(*inline_value);
  if (i + 1 >= args.size()) throw UsageError("option " + std::string(option) + " needs a value");
  return args[++i];
}

ConvertOptions ParseConvert(std::span<const std::string> args, bool& help) {
  ConvertOptions options;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      options.inputs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    std::string_view name = arg;
    std::optional<std::string_view> inline_value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
      inline_value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const bool takes_no_value = !inline_value;
    if (name == "-o" || name == "--output") {
      options.output = TakeValue(args, i, name, inline_value);
    } else if (name == "-d" || name == "--output-dir") {
      options.output_dir = TakeValue(args, i, name, inline_value);
    } else if (name == "-t" || name == "--template-dir") {
      options.template_dir = TakeValue(args, i, name, inline_value);
    } else if ((name == "-f" || name == "--force") && takes_no_value) {
      options.force = true;
    } else if ((name == "-q" || name == "--quiet") && takes_no_value) {
      options.verbosity = Verbosity::kQuiet;
    } else if ((name == "-v" || name == "--verbose") && takes_no_value) {
      options.verbosity = Verbosity::kVerbose;
    } else if ((name == "-h" || name == "--help") && takes_no_value) {
      help = true;
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
  if (help) return options;
  if (options.inputs.empty()) throw UsageError("convert needs at least one input file");
  if (options.output && options.output_dir) {
    throw UsageError("--output and --output-dir exclude each other");
  }
  if (options.output && options.inputs.size() > 1) {
    throw UsageError("--output names the report of a single input; use --output-dir");
  }
  return options;
}

}  // namespace

Arguments ParseArguments(std::span<const std::string> args) {
  Arguments parsed;
  if (args.empty()) throw UsageError("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    parsed.command = Command::kHelp;
  } else if (command == "--version") {
    parsed.command = Command::kVersion;
  } else if (command == "convert") {
    bool help = false;
    parsed.convert = ParseConvert(args.subspan(1), help);
    parsed.command = help ? Command::kHelp : Command::kConvert;
  } else {
    throw UsageError("unknown command " + command);
  }
  return parsed;
}

std::string UsageText() {
  return "Usage: korvanta convert [options] INPUT...\n"
         "       korvanta --help | --version\n"
         "\n"
         "Converts the export files of the spectrophotometer (.pro .con .nuc .tsc .od .pht .tm\n"
         ".wsc), or folders of them, into Excel reports laid out by template.\n"
         "\n"
         "Options:\n"
         "  -o, --output PATH        report for a single input; \".xlsx\" is appended unless\n"
         "                           the name ends in .xlsx (any case)\n"
         "  -d, --output-dir DIR     folder for the reports: DIR/<input stem>.xlsx\n"
         "                           (default: beside each input)\n"
         "  -t, --template-dir DIR   template folder (default: template/ beside the program)\n"
         "  -f, --force              replace existing reports (default: refuse and go on)\n"
         "  -q, --quiet              report failures only\n"
         "  -v, --verbose            also report each step and what each report holds\n"
         "  -h, --help               show this help\n"
         "      --version            show the version\n"
         "\n"
         "Exit status: 0 when every input was converted, 1 when any failed, 2 for bad usage.\n";
}

}  // namespace korvanta::cli
