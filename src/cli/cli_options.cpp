#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace korvanta::cli {
namespace {

struct OptionRule {
  char short_name;  // '\0': long form only
  std::string_view long_name;
  bool takes_value;
};

using OptionHandler = std::function<void(const OptionRule&, const std::string& value)>;

const OptionRule* FindLong(std::span<const OptionRule> rules, std::string_view name) {
  const auto found = std::find_if(rules.begin(), rules.end(),
                                  [&](const OptionRule& rule) { return rule.long_name == name; });
  return found == rules.end() ? nullptr : &*found;
}

const OptionRule* FindShort(std::span<const OptionRule> rules, char name) {
  const auto found = std::find_if(rules.begin(), rules.end(),
                                  [&](const OptionRule& rule) { return rule.short_name == name; });
  return found == rules.end() ? nullptr : &*found;
}

// The getopt conventions: "--name=VALUE" or "--name VALUE"; "-x VALUE" or "-xVALUE"; flags
// bundled as "-fq"; "--" ends the options; "-" alone is an input. Everything else that is not
// an option is an input, wherever it stands.
void ScanArguments(std::span<const std::string> args, std::span<const OptionRule> rules,
                   const OptionHandler& on_option,
                   const std::function<void(const std::string&)>& on_input) {
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      on_input(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const auto next_value = [&](std::string_view shown) -> std::string {
      if (i + 1 >= args.size()) throw UsageError("option " + std::string(shown) + " needs a value");
      return args[++i];
    };
    if (arg.starts_with("--")) {
      const std::string_view body = std::string_view(arg).substr(2);
      const auto equals = body.find('=');
      const OptionRule* rule = FindLong(rules, body.substr(0, equals));
      if (rule == nullptr) throw UsageError("unknown option " + arg);
      const std::string shown = "--" + std::string(rule->long_name);
      if (equals != std::string_view::npos) {
        if (!rule->takes_value) throw UsageError("option " + shown + " takes no value");
        on_option(*rule, std::string(body.substr(equals + 1)));
      } else {
        on_option(*rule, rule->takes_value ? next_value(shown) : std::string());
      }
      continue;
    }
    for (std::size_t k = 1; k < arg.size(); ++k) {
      const OptionRule* rule = FindShort(rules, arg[k]);
      if (rule == nullptr) throw UsageError("unknown option -" + std::string(1, arg[k]));
      if (!rule->takes_value) {
        on_option(*rule, std::string());
        continue;
      }
      const std::string shown = "-" + std::string(1, arg[k]);
      on_option(*rule, k + 1 < arg.size() ? arg.substr(k + 1) : next_value(shown));
      break;
    }
  }
}

// A whole number from `low` to `high` for the option `shown`.
int ParseCount(const std::string& text, std::string_view shown, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
    throw UsageError(std::string(shown) + " needs a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", not \"" + text + "\"");
  }
  return value;
}

int ParseJobs(const std::string& text) { return ParseCount(text, "--jobs", 1, kMaxJobs); }

// "HOST:PORT", "[IPV6]:PORT" or ":PORT" (the loopback address).
void ParseListen(const std::string& text, serve::ServeOptions& options) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos) {
    throw UsageError("--listen takes HOST:PORT, not \"" + text + "\"");
  }
  std::string host = text.substr(0, colon);
  if (host.starts_with('[') && host.ends_with(']')) host = host.substr(1, host.size() - 2);
  if (!host.empty()) options.host = host;
  options.port = ParseCount(text.substr(colon + 1), "the port of --listen", 0, 65535);
}

// "xlsx", "asm" or both, comma-separated, each at most once.
OutputFormats ParseFormats(const std::string& text) {
  OutputFormats formats{false, false};
  std::string_view rest = text;
  bool valid = !rest.empty();
  while (valid) {
    const auto comma = rest.find(',');
    const std::string_view name = rest.substr(0, comma);
    bool& chosen = name == "xlsx" ? formats.report : formats.asm_document;
    valid = (name == "xlsx" || name == "asm") && !chosen;
    chosen = true;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (!valid) {
    throw UsageError("--format takes xlsx, asm or xlsx,asm, not \"" + text + "\"");
  }
  return formats;
}

constexpr OptionRule kConvertRules[] = {
    {'o', "output", true},     {'d', "output-dir", true}, {'t', "template-dir", true},
    {'r', "recursive", false}, {'f', "force", false},     {'j', "jobs", true},
    {'\0', "open", false},     {'\0', "json", false},     {'q', "quiet", false},
    {'v', "verbose", false},   {'h', "help", false},      {'\0', "format", true},
};

constexpr OptionRule kServeRules[] = {
    {'\0', "listen", true},       {'t', "template-dir", true}, {'j', "jobs", true},
    {'\0', "max-body-mb", true},  {'\0', "max-files", true},   {'\0', "request-timeout", true},
    {'\0', "idle-timeout", true}, {'h', "help", false},
};

constexpr OptionRule kInspectRules[] = {
    {'\0', "json", false},
    {'h', "help", false},
};

constexpr OptionRule kTemplatesRules[] = {
    {'\0', "copy", false},
    {'h', "help", false},
};

ConvertOptions ParseConvert(std::span<const std::string> args, bool& help) {
  ConvertOptions options;
  const auto on_option = [&](const OptionRule& rule, const std::string& value) {
    const std::string_view name = rule.long_name;
    if (name == "output") {
      options.output = value;
    } else if (name == "output-dir") {
      options.output_dir = value;
    } else if (name == "template-dir") {
      options.template_dir = value;
    } else if (name == "recursive") {
      options.recursive = true;
    } else if (name == "force") {
      options.force = true;
    } else if (name == "jobs") {
      options.jobs = ParseJobs(value);
    } else if (name == "open") {
      options.open = true;
    } else if (name == "json") {
      options.json = true;
    } else if (name == "format") {
      options.formats = ParseFormats(value);
    } else if (name == "quiet") {
      options.verbosity = Verbosity::kQuiet;
    } else if (name == "verbose") {
      options.verbosity = Verbosity::kVerbose;
    } else if (name == "help") {
      help = true;
    }
  };
  ScanArguments(args, kConvertRules, on_option,
                [&](const std::string& input) { options.inputs.push_back(input); });
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

InspectOptions ParseInspect(std::span<const std::string> args, bool& help) {
  InspectOptions options;
  std::vector<std::string> inputs;
  const auto on_option = [&](const OptionRule& rule, const std::string&) {
    if (rule.long_name == "json") options.json = true;
    if (rule.long_name == "help") help = true;
  };
  ScanArguments(args, kInspectRules, on_option,
                [&](const std::string& input) { inputs.push_back(input); });
  if (help) return options;
  if (inputs.size() != 1) throw UsageError("inspect needs exactly one input file");
  options.input = inputs.front();
  return options;
}

// The largest body a request may set, in MiB: far beyond any export file.
constexpr int kMaxBodyMebibytes = 4096;
constexpr int kMaxSeconds = 86400;

serve::ServeOptions ParseServe(std::span<const std::string> args, bool& help) {
  serve::ServeOptions options;
  const auto on_option = [&](const OptionRule& rule, const std::string& value) {
    const std::string_view name = rule.long_name;
    const std::string shown = "--" + std::string(name);
    if (name == "listen") {
      ParseListen(value, options);
    } else if (name == "template-dir") {
      options.template_dir = value;
    } else if (name == "jobs") {
      options.jobs = ParseJobs(value);
    } else if (name == "max-body-mb") {
      options.max_body_bytes =
          static_cast<std::size_t>(ParseCount(value, shown, 1, kMaxBodyMebibytes)) << 20;
    } else if (name == "max-files") {
      options.max_files = ParseCount(value, shown, 1, kMaxJobs);
    } else if (name == "request-timeout") {
      options.request_seconds = ParseCount(value, shown, 1, kMaxSeconds);
    } else if (name == "idle-timeout") {
      options.idle_seconds = ParseCount(value, shown, 1, kMaxSeconds);
    } else if (name == "help") {
      help = true;
    }
  };
  ScanArguments(args, kServeRules, on_option, [](const std::string& input) {
    throw UsageError("serve takes no input, not " + input);
  });
  return options;
}

TemplatesOptions ParseTemplates(std::span<const std::string> args, bool& help) {
  TemplatesOptions options;
  const auto on_option = [&](const OptionRule& rule, const std::string&) {
    if (rule.long_name == "copy") options.copy = true;
    if (rule.long_name == "help") help = true;
  };
  ScanArguments(args, kTemplatesRules, on_option, [](const std::string& input) {
    throw UsageError("templates takes no input, not " + input);
  });
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
  } else if (command == "inspect") {
    bool help = false;
    parsed.inspect = ParseInspect(args.subspan(1), help);
    parsed.command = help ? Command::kHelp : Command::kInspect;
  } else if (command == "templates") {
    bool help = false;
    parsed.templates = ParseTemplates(args.subspan(1), help);
    parsed.command = help ? Command::kHelp : Command::kTemplates;
  } else if (command == "serve") {
    bool help = false;
    parsed.serve = ParseServe(args.subspan(1), help);
    parsed.command = help ? Command::kHelp : Command::kServe;
  } else {
    throw UsageError("unknown command " + command);
  }
  return parsed;
}

}  // namespace korvanta::cli
