// korvanta: converts the spectrophotometer's export files into Excel reports.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/convert_command.h"
#include "cli/inspect_command.h"
#include "cli/memory_use.h"
#include "cli/server_start.h"
#include "cli/templates_command.h"
#include "cli/usage_text.h"

int main(int argc, char** argv) {
  using namespace korvanta::cli;
  KeepFreedMemoryForReuse();
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    const Arguments parsed = ParseArguments(args);
    switch (parsed.command) {
      case Command::kHelp:
        std::cout << UsageText();
        return 0;
      case Command::kVersion:
        std::cout << "korvanta " << KORVANTA_VERSION << '\n';
        return 0;
      case Command::kInspect:
        return RunInspect(parsed.inspect, std::cout, std::cerr);
      case Command::kTemplates:
        return RunTemplates(parsed.templates, std::cout, std::cerr);
      case Command::kServe:
        return StartServer(args, std::cerr);
      case Command::kConvert: {
        Console console = Console::ForStandardError(std::cerr);
        return RunConvert(parsed.convert, std::cout, console);
      }
    }
  } catch (const UsageError& error) {
    std::cerr << "korvanta: " << error.what() << "\nTry 'korvanta --help'.\n";
    return 2;
  }
  return 2;
}
