// korvanta-serve: `korvanta serve` as a program of its own, started by korvanta with the
// arguments that follow "serve".
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/memory_use.h"
#include "cli/usage_text.h"
#include "serve/server.h"

int main(int argc, char** argv) {
  using namespace korvanta::cli;
  KeepFreedMemoryForReuse();
  std::vector<std::string> args{"serve"};
  args.insert(args.end(), argv + 1, argv + argc);
  try {
    const Arguments parsed = ParseArguments(args);
    if (parsed.command != Command::kServe) {
      std::cout << UsageText();
      return 0;
    }
    return korvanta::serve::RunServer(parsed.serve, std::cout, std::cerr);
  } catch (const UsageError& error) {
    std::cerr << "korvanta: " << error.what() << "\nTry 'korvanta --help'.\n";
    return 2;
  }
}
