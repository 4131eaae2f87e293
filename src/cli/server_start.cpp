// `korvanta serve`: the command replaced by the service's own program.
#include "cli/server_start.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

#include "driver/conversion.h"

namespace korvanta::cli {
namespace {

// Returns only when `program` could not be started.
void ReplaceProcess(const std::string& program, char* const* argv) {
#if defined(_WIN32)
  _execv(program.c_str(), argv);
#else
  execv(program.c_str(), argv);
#endif
}

}  // namespace

int StartServer(const std::vector<std::string>& args, std::ostream& err) {
  const std::string exe_directory = GetExeDirectory();
  std::vector<std::string> arguments{"korvanta-serve"};
  arguments.insert(arguments.end(), args.begin() + 1, args.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  int error = 0;
  for (const std::string& program : {exe_directory + "korvanta-serve",
                                     exe_directory + KORVANTA_SERVE_FROM_BIN + "/korvanta-serve"}) {
    ReplaceProcess(program, argv.data());
    // The first place holds it in the build tree, the second once installed.
    if (error == 0 || errno != ENOENT) error = errno;
  }
  err << "korvanta: cannot start korvanta-serve: " << std::strerror(error) << '\n';
  return 1;
}

}  // namespace korvanta::cli
